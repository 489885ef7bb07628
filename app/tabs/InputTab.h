#pragma once
// An input tab of the main window: a page that owns its controls and their handlers. Each box of a
// project field is made from its description in engine/ProjectFields (object name, tag, the decimals
// it shows); an edit goes to the calculation objects and, while a project is open, into its column.
#include "app/MainControls.h"
#include "ui/InputBox.h"

#include <QString>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;

namespace q7 {

class MessageService;
class modQ7;
struct ProjectField;
struct Q7Objects;

// What every input tab reaches: the message boxes, the project session and the calculation
// objects (created after the tabs, so reached late).
struct TabContext {
    MessageService& messages;
    modQ7& state;
    std::function<Q7Objects&()> objects;
};

// The letters stored for the two temperature-unit options.
inline constexpr const char* kTemperatureUnits[2] = {"F", "C"};

class InputTab : public QWidget {
    Q_OBJECT
public:
    InputTab(const TabContext& context, const QString& objectName);

    // Fills the tab's controls from the calculation objects.
    virtual void ShowValues() = 0;

    // Sets option 0 of a pair (selecting it raises its click; clearing it selects no partner).
    static void SetFirstOption(const OptionPair& pair, bool value);
    static void SelectOption(const OptionPair& pair, int index);

protected:
    Q7Objects& Objects() const { return m_context.objects(); }
    modQ7& State() const { return m_context.state; }
    MessageService& Messages() const { return m_context.messages; }

    // Lays the tab out: `content` on the left, the company logo in the top right corner.
    void SetContent(QLayout* content);

    // Widgets sized from the font, so the tab follows the desktop's font and scale.
    int CharWidth(int chars) const;
    // The box of a project field: named, tagged and sized from its description.
    InputBox* FieldBox(const std::string& column, int chars = 9);
    // A box no project field describes.
    InputBox* Box(const QString& name, const QString& initial = {}, int chars = 9);
    static QLabel* Label(const QString& text, const QString& name = {});
    static QGroupBox* Frame(const QString& title, const QString& name = {});
    // An option pair of a project field, both buttons named from the field's control ("optRock(0)").
    QButtonGroup* OptionGroup(const std::string& column, OptionPair& pair, const QString& first,
                              const QString& second);

    // The box's rule for leaving it: a number under `rule`, and what the engine's input rule
    // (engine/InputChecks: BoxRefusal) refuses for its field, shown once under `title`.
    void Validated(InputBox* box, const QString& title, InputBox::Rule rule);

    // Runs an input handler; an error its object raises is shown under `title`.
    void Guarded(const QString& title, const std::function<void()>& handler);
    // A box of one project field: each change gives the text to the objects and stores the value
    // they then hold (when a project table stores the field), with the column `derived` that the
    // objects derive from it, if any. A field with a range rule of its own (a rock model's
    // parameter) or a whole-number range (the table's rows) is refused at the box by that rule.
    void PlainField(InputBox* box, const QString& title, bool strict, const char* derived = nullptr);
    // The drop-down list of a project field with a choice: the names of a text field's `words`
    // (default first) or an option field's index, shown as `captions` (one per choice, in order).
    // Each choice gives the field's value to the objects and stores it when a table stores it.
    QComboBox* ChoiceBox(const std::string& column, const QStringList& captions, const QString& title);
    // The drop-down list of a correlation choice ("CorrPb"): each correlation by its name and year,
    // the default first.
    QComboBox* CorrelationBox(const std::string& column, const QString& title);
    // A drop-down list shows its field's value as the objects hold it.
    void ShowChoice(QComboBox* box);
    // A laboratory box: blank text is a value not measured (stored as Null).
    void LabField(InputBox* box, const QString& title);
    // Both options of a pair carry the field's tag; `handler` runs with the index of the option that
    // becomes selected, by the user or by code.
    void WireOption(const OptionPair& pair, std::function<void(int)> handler);
    // A box shows its field's value as the objects hold it (a value not held leaves it empty).
    void ShowField(QLineEdit* box);

    // The program writes a computed value into a box: the box stores its own column, never the
    // partner it derives back.
    void ShowComputed(QLineEdit* box, const QString& text);

    // The description of a tagged control's field.
    static const ProjectField& FieldOf(const QWidget* control);

private:
    TabContext m_context;
    bool m_showingComputed = false;
};

} // namespace q7
