#include "ui/TextFormat.h"

#include "numeric/NumericText.h"

namespace q7 {

QString Fixed(float value, int decimals) {
    return QString::fromStdString(Nbr2Str(value, 60, static_cast<std::int16_t>(decimals))).trimmed();
}

QString General(float value) {
    return QString::fromStdString(GeneralForm(value));
}

} // namespace q7
