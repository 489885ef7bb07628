#include "app/tabs/InputTab.h"

#include "app/modQ7.h"
#include "engine/InputChecks.h"
#include "engine/ProjectFields.h"
#include "engine/PvtCorrelations.h"
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"
#include "ui/LogoWidget.h"
#include "ui/MessageService.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>
#include <string>

namespace q7 {

namespace {

const ProjectField& FieldNamed(std::string_view column) {
    const ProjectField* field = FindField(column);
    if (!field) throw std::logic_error("no project field " + std::string(column));
    return *field;
}

// The data table that stores `field` (the fluid table for a field no table stores).
ProjectTable TableOf(const ProjectField& field) {
    ProjectTable table = ProjectTable::Fluid;
    for (int t = 0; t < kProjectTableCount; ++t)
        if (field.table == ProjectTableName(static_cast<ProjectTable>(t)))
            table = static_cast<ProjectTable>(t);
    return table;
}

// The range rule of a field's own (a rock model's parameter: "must be above 0") or of a whole number
// (the table's rows), as the case reader applies it; empty when the field has none.
InputBox::Refusal FieldRangeRule(const ProjectField& field) {
    const bool whole = field.kind == FieldKind::Integer && field.lo <= field.hi;
    if (!field.refused && !whole) return {};
    return [&field, whole](const QString& text) -> QString {
        const double value = static_cast<double>(Str2Nbr(text.toStdString()));
        std::string why;
        if (whole && (value != std::floor(value) || value < static_cast<double>(field.lo) ||
                      value > static_cast<double>(field.hi)))
            why =
                "must be a whole number from " + std::to_string(field.lo) + " to " + std::to_string(field.hi);
        else if (field.refused)
            why = field.refused(value);
        if (why.empty()) return {};
        return QString::fromStdString(field.column + " " + why + ".");
    };
}

} // namespace

InputTab::InputTab(const TabContext& context, const QString& objectName) : m_context(context) {
    setObjectName(objectName);
}

void InputTab::SetContent(QLayout* content) {
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addLayout(content);
    left->addStretch(1);
    outer->addLayout(left);
    outer->addStretch(1);
    auto* logoColumn = new QVBoxLayout;
    logoColumn->addWidget(new LogoWidget(72), 0, Qt::AlignRight | Qt::AlignTop);
    logoColumn->addStretch(1);
    outer->addLayout(logoColumn);
}

int InputTab::CharWidth(int chars) const {
    return fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 12;
}

InputBox* InputTab::Box(const QString& name, const QString& initial, int chars) {
    auto* box = new InputBox;
    box->setObjectName(name);
    box->setText(initial);
    box->setFixedWidth(CharWidth(chars));
    return box;
}

InputBox* InputTab::FieldBox(const std::string& column, int chars) {
    const ProjectField& field = FieldNamed(column);
    InputBox* box = Box(QString::fromStdString(field.box), {}, chars);
    box->setProperty("tag", QString::fromStdString(field.column));
    return box;
}

QLabel* InputTab::Label(const QString& text, const QString& name) {
    auto* label = new QLabel(text);
    if (!name.isEmpty()) label->setObjectName(name);
    return label;
}

QGroupBox* InputTab::Frame(const QString& title, const QString& name) {
    auto* frame = new QGroupBox(title);
    if (!name.isEmpty()) frame->setObjectName(name);
    return frame;
}

QButtonGroup* InputTab::OptionGroup(const std::string& column, OptionPair& pair, const QString& first,
                                    const QString& second) {
    const ProjectField& field = FieldNamed(column);
    const QString name = QString::fromStdString(field.box);
    auto* group = new QButtonGroup(this);
    group->setObjectName(name);
    const QString captions[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QRadioButton(captions[i]);
        button->setObjectName(name + QLatin1Char('(') + QString::number(i) + QLatin1Char(')'));
        button->setProperty("tag", QString::fromStdString(field.column));
        pair[static_cast<std::size_t>(i)] = button;
        group->addButton(button, i);
    }
    return group;
}

const ProjectField& InputTab::FieldOf(const QWidget* control) {
    return FieldNamed(control->property("tag").toString().toStdString());
}

void InputTab::Validated(InputBox* box, const QString& title, InputBox::Rule rule) {
    box->SetValidation(&m_context.messages, title, rule);
    // The field's own range first, then the engine's input rule with the other boxes' values.
    const ProjectField& field = FieldOf(box);
    box->SetRefusal([this, key = field.column, own = FieldRangeRule(field)](const QString& text) {
        if (own) {
            const QString why = own(text);
            if (!why.isEmpty()) return why;
        }
        const std::optional<std::string> why = BoxRefusal(Objects(), key, text.toStdString());
        return why ? QString::fromStdString(*why) : QString();
    });
}

void InputTab::Guarded(const QString& title, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& e) {
        m_context.messages.ShowError(QString::fromStdString(e.what()), title);
    }
}

void InputTab::PlainField(InputBox* box, const QString& title, bool strict, const char* derivedColumn) {
    const ProjectField* field = &FieldOf(box);
    const ProjectField* derived = derivedColumn ? &FieldNamed(derivedColumn) : nullptr;
    const ProjectTable table = TableOf(*field);
    Validated(box, title, strict ? InputBox::Rule::Strict : InputBox::Rule::Lenient);
    connect(box, &QLineEdit::textChanged, this, [this, title, table, field, derived](const QString& text) {
        Guarded(title, [&] {
            Q7Objects& objects = Objects();
            field->set(objects, text.toStdString());
            if (!field->Stored()) return;
            auto stored = [&objects](const ProjectField& f) {
                return f.kind == FieldKind::Number ? QVariant(static_cast<float>(f.number(objects)))
                                                   : QVariant(static_cast<int>(f.number(objects)));
            };
            std::vector<std::pair<QString, QVariant>> values{
                {QString::fromStdString(field->column), stored(*field)}};
            if (derived && !m_showingComputed)
                values.emplace_back(QString::fromStdString(derived->column), stored(*derived));
            State().SaveFields(table, values);
        });
    });
}

QComboBox* InputTab::ChoiceBox(const std::string& column, const QStringList& captions, const QString& title) {
    const ProjectField* field = &FieldNamed(column);
    const bool text = field->kind == FieldKind::Text;
    if (text ? field->words.size() != static_cast<std::size_t>(captions.size())
             : field->kind != FieldKind::Option || field->hi - field->lo + 1 != captions.size())
        throw std::logic_error("the choices of " + column + " do not match their captions");
    auto* box = new QComboBox;
    box->setObjectName(QString::fromStdString(field->box));
    box->setProperty("tag", QString::fromStdString(field->column));
    for (int i = 0; i < captions.size(); ++i)
        box->addItem(captions[i],
                     text ? QVariant(QString::fromStdString(field->words[static_cast<std::size_t>(i)]))
                          : QVariant(static_cast<int>(field->lo) + i));
    connect(box, &QComboBox::currentIndexChanged, this, [this, box, field, title](int index) {
        if (index < 0) return;
        Guarded(title, [&] {
            const QVariant value = box->itemData(index);
            field->set(Objects(), value.toString().toStdString());
            if (field->Stored())
                State().SaveField(TableOf(*field), QString::fromStdString(field->column), value);
        });
    });
    return box;
}

QComboBox* InputTab::CorrelationBox(const std::string& column, const QString& title) {
    for (const CorrChoice& choice : CorrChoices()) {
        if (column != choice.key) continue;
        QStringList captions;
        for (const CorrChoice::Option& option : choice.options)
            captions << QString::fromUtf8(option.shown) + QStringLiteral(" (") +
                            QString::fromLatin1(option.year) + QLatin1Char(')');
        QComboBox* box = ChoiceBox(column, captions, title);
        for (int i = 0; i < box->count(); ++i)
            box->setItemData(i, QString::fromLatin1(choice.options[static_cast<std::size_t>(i)].source),
                             Qt::ToolTipRole);
        return box;
    }
    throw std::logic_error("no correlation choice " + column);
}

void InputTab::ShowChoice(QComboBox* box) {
    const ProjectField& field = FieldOf(box);
    const Q7Objects& objects = Objects();
    int index = -1;
    if (field.kind == FieldKind::Text)
        index =
            box->findData(QString::fromStdString(field.text(objects)), Qt::UserRole, Qt::MatchFixedString);
    else
        index = box->findData(static_cast<int>(field.number(objects)));
    if (index >= 0) box->setCurrentIndex(index);
}

void InputTab::LabField(InputBox* box, const QString& title) {
    const ProjectField* field = &FieldOf(box);
    Validated(box, title, InputBox::Rule::Lenient);
    connect(box, &QLineEdit::textChanged, this, [this, title, field](const QString& text) {
        Guarded(title, [&] {
            Q7Objects& objects = Objects();
            field->set(objects, text.toStdString());
            if (!field->Stored()) return;
            const bool held = !field->held || field->held(objects);
            State().SaveField(TableOf(*field), QString::fromStdString(field->column),
                              held ? QVariant(static_cast<float>(field->number(objects))) : QVariant());
        });
    });
}

void InputTab::WireOption(const OptionPair& pair, std::function<void(int)> handler) {
    // A click on an option is its becoming selected, by the user or by code.
    for (int i = 0; i < 2; ++i)
        connect(pair[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [handler, i](bool on) {
            if (on) handler(i);
        });
}

void InputTab::ShowField(QLineEdit* box) {
    const ProjectField& field = FieldOf(box);
    const Q7Objects& objects = Objects();
    const bool held = !field.held || field.held(objects);
    // The objects' own value in its exact general form; a stored value loaded into the box shows
    // the field's decimals instead (the number as the project holds it).
    const double value = held ? field.number(objects) : 0.0;
    const std::string text =
        field.kind == FieldKind::Number ? ExactText(static_cast<float>(value)) : FieldText(field, value);
    box->setText(held ? QString::fromStdString(text) : QString());
}

void InputTab::ShowComputed(QLineEdit* box, const QString& text) {
    m_showingComputed = true;
    box->setText(text);
    m_showingComputed = false;
}

void InputTab::SetFirstOption(const OptionPair& pair, bool value) {
    if (value) {
        pair[0]->setChecked(true);
        return;
    }
    if (!pair[0]->isChecked()) return;
    QButtonGroup* group = pair[0]->group();
    group->setExclusive(false);
    pair[0]->setChecked(false);
    group->setExclusive(true);
}

void InputTab::SelectOption(const OptionPair& pair, int index) {
    pair[static_cast<std::size_t>(index)]->setChecked(true);
}

} // namespace q7
