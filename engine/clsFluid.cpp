#include "engine/clsFluid.h"

#include "numeric/Checked.h"
#include "numeric/NumericText.h"

namespace q7 {
namespace {

bool IsFahrenheit(std::string_view unit) {
    return unit == "F" || unit == "f";
}
bool IsCelsius(std::string_view unit) {
    return unit == "C" || unit == "c";
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// °R = °F + 460; °C = (°F - 32) / 1.8.
void FromFahrenheit(float value, float& tf, float& tc, float& tr) {
    Store(tf, value);
    Store(tr, static_cast<double>(value) + 460.0);
    Store(tc, (static_cast<double>(value) - 32.0) / 1.8);
}

// °F = °C * 1.8 + 32 as a single, °R from that single.
void FromCelsius(float value, float& tf, float& tc, float& tr) {
    Store(tc, value);
    const float stored = Store(tf, static_cast<double>(value) * 1.8 + 32.0);
    Store(tr, static_cast<double>(stored) + 460.0);
}

} // namespace

void clsFluid::SetTemperature(std::string_view unit, float value, float& tf, float& tc, float& tr) {
    if (IsFahrenheit(unit))
        FromFahrenheit(value, tf, tc, tr);
    else if (IsCelsius(unit))
        FromCelsius(value, tf, tc, tr);
}

void clsFluid::ChangeTemperatureUnit(std::string& current, std::string_view unit, float& tf, float& tc,
                                     float& tr) {
    if (current == unit) return;
    if (IsFahrenheit(unit))
        FromFahrenheit(tc, tf, tc, tr);
    else if (IsCelsius(unit))
        FromCelsius(tf, tf, tc, tr);
    current = Upper(unit);
}

clsFluid::clsFluid() : m_stdTU("F"), m_resTU("F") {
    m_phaseOil = true;
    m_phaseGas = false;
    m_phaseWater = false;
    FromFahrenheit(60.0f, m_stdTf, m_stdTc, m_stdTr);
    m_stdP = 14.7f;
    FromFahrenheit(150.0f, m_resTf, m_resTc, m_resTr);
}

void clsFluid::SetStdP(std::string_view text) {
    m_stdP = Str2Nbr(text);
}

void clsFluid::StdTU(std::string_view unit) {
    ChangeTemperatureUnit(m_stdTU, unit, m_stdTf, m_stdTc, m_stdTr);
}

void clsFluid::SetStdT(std::string_view text) {
    SetTemperature(m_stdTU, Str2Nbr(text), m_stdTf, m_stdTc, m_stdTr);
}

void clsFluid::ResTU(std::string_view unit) {
    ChangeTemperatureUnit(m_resTU, unit, m_resTf, m_resTc, m_resTr);
}

void clsFluid::SetResT(std::string_view text) {
    SetTemperature(m_resTU, Str2Nbr(text), m_resTf, m_resTc, m_resTr);
}

} // namespace q7
