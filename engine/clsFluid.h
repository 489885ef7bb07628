#pragma once
// Standard and reservoir conditions, the temperature units they are entered in, and the phases
// present. Temperatures are held in °F, °C and °R (°R = °F + 460).
#include <string>
#include <string_view>

namespace q7 {

class clsFluid {
public:
    clsFluid();

    bool PhaseOil() const { return m_phaseOil; }
    void PhaseOil(bool value) { m_phaseOil = value; }
    bool PhaseGas() const { return m_phaseGas; }
    void PhaseGas(bool value) { m_phaseGas = value; }
    bool PhaseWater() const { return m_phaseWater; }
    void PhaseWater(bool value) { m_phaseWater = value; }

    // Standard pressure, psia.
    float StdP() const { return m_stdP; }
    void SetStdP(std::string_view text);

    // Unit letter of the standard temperature ("F" or "C"). Writing a new letter keeps the number
    // and reads it in the new unit; the letter is stored in upper case.
    const std::string& StdTU() const { return m_stdTU; }
    void StdTU(std::string_view unit);
    float StdTf() const { return m_stdTf; }
    float StdTc() const { return m_stdTc; }
    float StdTr() const { return m_stdTr; }
    // Standard temperature in the unit held by StdTU.
    void SetStdT(std::string_view text);

    const std::string& ResTU() const { return m_resTU; }
    void ResTU(std::string_view unit);
    float ResTf() const { return m_resTf; }
    float ResTc() const { return m_resTc; }
    float ResTr() const { return m_resTr; }
    // Reservoir temperature in the unit held by ResTU.
    void SetResT(std::string_view text);

    // Shared by every temperature entered with a unit letter (also the oil separator's): stores a
    // value given in `unit` ("F"/"f" or "C"/"c"; any other letter stores nothing) into its °F, °C and
    // °R forms, and switches `current` to a new unit keeping the number as typed.
    static void SetTemperature(std::string_view unit, float value, float& tf, float& tc, float& tr);
    static void ChangeTemperatureUnit(std::string& current, std::string_view unit, float& tf, float& tc,
                                      float& tr);

private:
    bool m_phaseOil = true;
    bool m_phaseGas = false;
    bool m_phaseWater = false;
    float m_stdP = 0.0f;
    std::string m_stdTU;
    float m_stdTf = 0.0f;
    float m_stdTc = 0.0f;
    float m_stdTr = 0.0f;
    std::string m_resTU;
    float m_resTf = 0.0f;
    float m_resTc = 0.0f;
    float m_resTr = 0.0f;
};

} // namespace q7
