#pragma once
// The pressure schedule shared by every fluid table: an input list (generated from a range or typed
// one by one) and the output schedule built from it with the bubble point added, highest first.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace q7 {

class clsFluid;
class clsOil;

class clsPrs {
public:
    // Pressures a user can type one by one.
    static constexpr std::int16_t kMaxTyped = 18;
    // Room for the list generated from any range (at most 17 steps plus the initial pressure,
    // the maximum and a point beyond it).
    static constexpr std::int16_t kMaxInput = 20;
    // Rows of every fluid table.
    static constexpr std::int16_t kMaxOutput = 30;

    clsPrs(const clsFluid& fluid, const clsOil& oil);

    // "R" range, "I" individual pressures. Switching to "I" empties the input list.
    const std::string& PrRange() const { return m_prRange; }
    void PrRange(std::string_view value);

    float PrMax() const { return m_prMax; }
    float PrMin() const { return m_prMin; }
    float PrIni() const { return m_prIni; }
    void SetMaxP(std::string_view text);
    void SetMinP(std::string_view text);
    void SetIniP(std::string_view text);

    std::int16_t NPRSi() const { return m_nPRSi; }
    void NPRSi(std::int16_t value) { m_nPRSi = value; }
    std::int16_t NPRSo() const { return m_nPRSo; }
    void NPRSo(std::int16_t value) { m_nPRSo = value; }
    std::int16_t BPPi() const { return m_bPPi; }
    void BPPi(std::int16_t value) { m_bPPi = value; }

    // Sets typed pressure `index` (1..18); a value <= 0 removes it from the list.
    void SetPRSi(std::string_view text, std::int16_t index);
    // Generates the input list from PrMin, PrMax and PrIni.
    void BuildPRSi();
    // Builds the output schedule from the input list, the phases and the oil bubble point.
    void BuildPRSo();

    // Pressure at a position; below 1 reads the first, above the count the last. An empty list
    // throws SubscriptError.
    float GetPRSi(std::int16_t index) const;
    float GetPRSo(std::int16_t index) const;

private:
    const clsFluid& m_fluid;
    const clsOil& m_oil;
    std::string m_prRange;
    float m_prMax = 0.0f;
    float m_prMin = 0.0f;
    float m_prIni = 0.0f;
    std::int16_t m_nPRSi = 0;
    std::int16_t m_nPRSo = 0;
    std::int16_t m_bPPi = 0;
    std::array<float, kMaxInput> m_prsi{};
    std::array<float, kMaxOutput> m_prso{};
};

} // namespace q7
