#pragma once
// Formation water properties over the pressure schedule: McCain (Bw, gas solubility with salinity
// correction, viscosity, stock-tank density) and Osif (compressibility).
#include <array>
#include <cstdint>
#include <string_view>

namespace q7 {

class clsFluid;
class clsPrs;

class clsWater {
public:
    static constexpr std::int16_t kRows = 30;

    clsWater(const clsFluid& fluid, const clsPrs& prs);

    // Dissolved solids, ppm and weight percent (PER = PPM / 10000).
    std::int32_t PPM() const { return m_ppm; }
    float PER() const { return m_per; }
    float STDenWat() const { return m_stDenWat; }
    float STDenGas() const { return m_stDenGas; }
    bool GO() const { return m_go; }

    void SetPPM(std::string_view text);
    void SetPER(std::string_view text);

    // Computes the stock-tank densities and every table over the output schedule; failures are
    // thrown with GO false.
    void CalcWater();

    // Tables by schedule row k (1..30; anything else throws SubscriptError).
    float GetBW(std::int16_t k) const;
    float GetRSW(std::int16_t k) const;
    float GetCW(std::int16_t k) const;
    float GetMUW(std::int16_t k) const;
    float GetRHOW(std::int16_t k) const;

private:
    using Table = std::array<float, kRows>;

    const clsFluid& m_fluid;
    const clsPrs& m_prs;
    std::int32_t m_ppm = 0;
    float m_per = 0.0f;
    float m_stDenWat = 0.0f;
    float m_stDenGas = 0.0f;
    bool m_go = false;

    Table m_bw{};
    Table m_rsw{};
    Table m_cw{};
    Table m_muw{};
    Table m_rhow{};
};

} // namespace q7
