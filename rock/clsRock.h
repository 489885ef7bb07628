#pragma once
// Relative permeability of the rock: a 15-row saturation table for an oil–water (SWOF form) or a
// gas–oil (SGOF form) system, from the Corey curves or the Honarpour correlations.
#include <array>
#include <cstdint>
#include <string_view>

namespace q7 {

class clsRock {
public:
    static constexpr std::int16_t kRows = 15;

    clsRock();

    // Selectors (indexes of the option groups).
    std::int16_t Fluids() const { return m_Fluids; } // 0 oil–water, 1 gas–oil
    void Fluids(std::int16_t v) { m_Fluids = v; }
    std::int16_t Displace() const { return m_Displace; } // 0 drainage, 1 imbibition
    void Displace(std::int16_t v) { m_Displace = v; }
    std::int16_t Lith() const { return m_Lith; } // 0 sandstone, 1 limestone
    void Lith(std::int16_t v) { m_Lith = v; }
    std::int16_t Wet() const { return m_Wet; } // 0 water wet, 1 oil wet
    void Wet(std::int16_t v) { m_Wet = v; }
    std::int16_t CORR() const { return m_CORR; } // 0 Corey, 1 Honarpour
    void CORR(std::int16_t v) { m_CORR = v; }

    float CoreyK() const { return m_CoreyK; }
    float CoreyN() const { return m_CoreyN; }
    float HRPoro() const { return m_HRPoro; }
    float HRAir() const { return m_HRAir; }
    float HRKrg() const { return m_HRKrg; }
    float SWC() const { return m_SWC; }
    float SORW() const { return m_SORW; }
    float SORG() const { return m_SORG; }
    float SGCrit() const { return m_SGCrit; }
    std::int16_t NWet() const { return m_NWet; }
    bool GO() const { return m_GO; }

    void SetSWC(std::string_view text);
    void SetSORW(std::string_view text);
    void SetSORG(std::string_view text);
    void SetSGCrit(std::string_view text);
    void SetCoreyK(std::string_view text);
    void SetCoreyN(std::string_view text);
    void SetHRPoro(std::string_view text);
    void SetHRAir(std::string_view text);
    void SetHRKrg(std::string_view text);

    // Saturation columns; the index is clamped to 1..NWet.
    float GetSWet(std::int16_t i) const;
    float GetSNWet(std::int16_t i) const;
    // i in 1..15, else SubscriptError.
    float GetSD(std::int16_t i) const;
    float GetKROil(std::int16_t i) const;
    float GetKRWat(std::int16_t i) const;
    float GetKRGas(std::int16_t i) const;

    // Recomputes the whole table; arithmetic failures throw ArithmeticError and leave GO false.
    void CalcRock();

private:
    void BuildGrid();
    void CoreyCurves();
    void HonarpourOilWater();
    void HonarpourGasOil();

    std::int16_t m_Fluids = 0;
    std::int16_t m_Displace = 0;
    std::int16_t m_Lith = 0;
    std::int16_t m_Wet = 0;
    std::int16_t m_CORR = 0;
    float m_CoreyK = 0;
    float m_CoreyN = 0;
    float m_HRPoro = 0;
    float m_HRAir = 0;
    float m_HRKrg = 0;
    float m_SWC = 0;
    float m_SORW = 0;
    float m_SORG = 0;
    float m_SGCrit = 0;
    std::int16_t m_NWet = 0;
    bool m_GO = false;

    // 1-based tables; element 0 unused.
    std::array<float, kRows + 1> m_SWet{};
    std::array<float, kRows + 1> m_SNWet{};
    std::array<float, kRows + 1> m_SD{};
    std::array<float, kRows + 1> m_KROil{};
    std::array<float, kRows + 1> m_KRWat{};
    std::array<float, kRows + 1> m_KRGas{};
};

} // namespace q7
