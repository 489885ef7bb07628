#pragma once
// The gas phase: characterisation from a gravity with inert fractions or from a 15-component
// composition, then the Z-factor table and the properties derived from it over the pressure
// schedule (formation volume factor, density, compressibility, viscosity, m(p)).
#include "engine/PvtCorrelations.h"

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace q7 {

class clsFluid;
class clsPrs;

class clsGas {
public:
    static constexpr std::int16_t kComponents = 15;
    // The hydrocarbon rows (methane to decane) that can be the plus fraction.
    static constexpr std::int16_t kPlusRows = 12;
    static constexpr std::int16_t kRows = 30;

    clsGas(const clsFluid& fluid, const clsPrs& prs);

    // Entry mode: "G" gravity and inerts, "C" composition (stored in upper case).
    const std::string& GasEntry() const { return m_GasEntry; }
    void GasEntry(std::string_view entry);

    // Gas gravity (air = 1): an input in mode "G", derived by CalcGas in mode "C".
    float GasGrav() const { return m_GasGrav; }
    void SetGasGrav(std::string_view text);

    // Inert mole fractions of mode "G".
    float mfN() const { return m_mfN; }
    float mfCO2() const { return m_mfCO2; }
    float mfH2S() const { return m_mfH2S; }
    void SetmfN(std::string_view text);
    void SetmfCO2(std::string_view text);
    void SetmfH2S(std::string_view text);

    // Composition of mode "C": entry k (1..15) in the order of the component table; SumGC is the
    // sum of the 15 entries, recomputed by every SetGC.
    float GetGC(std::int16_t k) const;
    void SetGC(std::string_view text, std::int16_t k);
    float SumGC() const { return m_SumGC; }

    // Row (1..12) of the composition that is the plus fraction; 0 = none.
    std::int16_t PlusEntry() const { return m_PlusEntry; }
    void PlusEntry(std::int16_t row) { m_PlusEntry = row; }
    float PLUSmw() const { return m_PLUSmw; }
    void SetPLUSmw(std::string_view text);
    float PLUSgg() const { return m_PLUSgg; }
    void PLUSgg(float gravity) { m_PLUSgg = gravity; }
    void SetPLUSgg(std::string_view text);

    // Results of the characterisation: pseudo-critical pressure (psia) and temperature (°R),
    // pseudo-reduced reservoir temperature, stock-tank gas density (lb/ft³).
    float pC() const { return m_pC; }
    float tC() const { return m_tC; }
    float PTR() const { return m_PTR; }
    float STDenGas() const { return m_STDenGas; }

    // The correlation chosen for the Z-factor (CorrKey::Z) and for the pseudo-criticals from a
    // gravity (CorrKey::Pseudo), by index in ChoiceOf(key).options; 0, the default, at construction.
    // Other keys: 0, and setting them does nothing. The compressibility and m(p) follow the Z-factor.
    int Correlation(CorrKey key) const;
    void Correlation(CorrKey key, int option);

    // True once CalcGas has finished the whole schedule.
    bool GO() const { return m_GO; }

    // Characterises the gas and computes the table over the schedule. Returns 0 on success, or
    // 1..5 (viscosity routine: temperature, pressure, Z-factor, gravity out of range, arithmetic
    // failure), 6 (m(p) not converged), 7 (arithmetic failure in m(p)). Other arithmetic failures
    // throw ArithmeticError. GO is true only after a 0 return.
    std::int16_t CalcGas();

    // Table rows k = 1..30 of the schedule (else SubscriptError).
    float GetPPR(std::int16_t k) const;  // p / pC
    float GetZ(std::int16_t k) const;    // Z-factor
    float GetPZ(std::int16_t k) const;   // p / Z, psia
    float GetBG(std::int16_t k) const;   // rcf/scf
    float GetRHOG(std::int16_t k) const; // lb/ft³
    float GetCG(std::int16_t k) const;   // 1/psi
    float GetMUG(std::int16_t k) const;  // cp
    float GetRMP(std::int16_t k) const;  // m(p), psia²/cp divided by 10^6

    // Dranchuk–Purvis–Robinson Z-factor by Newton iteration on reduced density (single-precision
    // working values); valid for 1.05 <= Tpr < 3 and 0 < Ppr < 30.
    static float CalcZ(float Tpr, float Ppr);

    // Lee–Gonzalez–Eakin gas viscosity, cp; T °R, p psia. Returns the status 0..5; with a range
    // status (1..4) mug is left untouched, otherwise it is set to 0 first.
    static std::int16_t CalcMUG(float T, float p, float Z, float gg, float& mug);

private:
    struct Component {
        float mw; // lb/lb-mol
        float pc; // psia
        float tc; // °F
    };
    // One table row's m(p) integration in progress.
    struct RombergRow {
        double p = 0; // upper limit, psia
        float Zp = 0; // Z-factor and viscosity at p
        float mugp = 0;
        double h = 0; // point spacing of the next level
        long n = 0;   // points of the next level
        int level = 0;
        float R[21] = {};           // the Romberg row
        double sum = 0;             // of the level's integrand values so far
        double next = 0;            // the level's next point
        std::int16_t status = -1;   // -1 while running
        float mp = 0;               // m(p), psia²/cp
        std::exception_ptr refused; // a chosen Z-factor correlation that found no root
    };

    void Characterise();
    // The Z-factor by the chosen correlation, in single precision; a Z-factor with no root throws
    // CorrelationError.
    float ChosenZ(float Tpr, float Ppr) const;
    float CalcCG(float p, float T, float Z0) const;
    void CalcRMP(RombergRow* rows, int count, float T, float gg) const;

    const clsFluid& m_fluid;
    const clsPrs& m_prs;

    std::string m_GasEntry;
    float m_GasGrav = 0;
    float m_mfN = 0;
    float m_mfCO2 = 0;
    float m_mfH2S = 0;
    std::array<float, kComponents> m_GC{};
    float m_SumGC = 0;
    std::int16_t m_PlusEntry = 0;
    float m_PLUSmw = 0;
    float m_PLUSgg = 0;
    float m_pC = 0;
    float m_tC = 0;
    float m_PTR = 0;
    float m_STDenGas = 0;
    float m_Mg = 0; // gas molecular weight of the last characterisation
    bool m_GO = false;
    CorrZ m_corrZ = CorrZ::DPR;
    CorrPseudo m_corrPseudo = CorrPseudo::Standing;
    std::array<Component, kComponents> m_comp{};

    std::array<float, kRows> m_PPR{};
    std::array<float, kRows> m_Z{};
    std::array<float, kRows> m_PZ{};
    std::array<float, kRows> m_BG{};
    std::array<float, kRows> m_RHOG{};
    std::array<float, kRows> m_CG{};
    std::array<float, kRows> m_MUG{};
    std::array<float, kRows> m_RMP{};
};

} // namespace q7
