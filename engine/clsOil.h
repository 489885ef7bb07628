#pragma once
// Black-oil properties over the pressure schedule, by default (other correlations may be chosen,
// PvtCorrelations.h): Standing (bubble point, solution GOR, Bo),
// Rollins-McCain-Creeger (stock-tank vent GOR), Egbogah-Jack (dead oil viscosity), Beggs-Robinson
// (saturated viscosity), Vazquez-Beggs (separator gravity, compressibility, undersaturated viscosity).
#include "engine/MessageSink.h"
#include "engine/PvtCorrelations.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q7 {

class clsFluid;
class clsGas;
class clsPrs;

// Laboratory values at the bubble point; a value not measured is absent. psia, scf/stb, rb/stb, cp.
struct OilLabData {
    std::optional<float> Pb, Rsb, Bob, Muob;
};

// What matching the oil tables to laboratory data did (after CalcOil). Made is false when no match
// was made (no value given, or only LabPb or only LabRsb, which act as typing the bubble point or
// the GOR does); the factors are then 1. PressureScale multiplies the pressure at which the
// correlation's solution GOR is read, BoFactor the saturated oil expansion Bo - 1, ViscosityFactor
// every oil viscosity.
struct OilMatch {
    bool Made = false;
    float PressureScale = 1.0f;
    float BoFactor = 1.0f;
    float ViscosityFactor = 1.0f;
};

class clsOil {
public:
    static constexpr std::int16_t kRows = 30;

    clsOil(const clsFluid& fluid, const clsPrs& prs, const clsGas& gas, MessageSink& sink);

    float API() const { return m_api; }
    float OilSG() const { return m_oilSG; }
    float SepGG() const { return m_sepGG; }
    float SepGGn() const { return m_sepGGn; }
    float SepP() const { return m_sepP; }
    const std::string& SepTU() const { return m_sepTU; }
    // A new unit letter keeps the number and reads it in the new unit; stored in upper case.
    void SepTU(std::string_view unit);
    float SepTf() const { return m_sepTf; }
    float SepTc() const { return m_sepTc; }
    float SepTr() const { return m_sepTr; }
    float RSI() const { return m_rsi; }
    // The pair as the oil tab's boxes gave it (StoreRSI, StorePbp): while computing, laboratory
    // values take RSI() and Pbp() over, never these.
    float GivenRSI() const { return m_givenRsi; }
    float GivenPbp() const { return m_givenPbp; }
    // The partner box written by the program (a calculate button, "Fluid Properties") is not given:
    // the pair given before it is put back with these.
    struct GivenPair {
        float rsi, pbp;
    };
    GivenPair Given() const { return {m_givenRsi, m_givenPbp}; }
    void Given(GivenPair pair) {
        m_givenRsi = pair.rsi;
        m_givenPbp = pair.pbp;
    }
    float RSITank() const { return m_rsiTank; }
    float RSISep() const { return m_rsiSep; }
    float Pbp() const { return m_pbp; }
    float STDenOil() const { return m_stDenOil; }
    float STDenGas() const { return m_stDenGas; }
    bool GO() const { return m_go; }

    // Laboratory values at the bubble point. Blank text: not measured; otherwise read as the other
    // boxes are (Str2Nbr). CalcOil matches the tables to them and rejects impossible ones.
    const OilLabData& Lab() const { return m_lab; }
    void SetLabPb(std::string_view text);
    void SetLabRsb(std::string_view text);
    void SetLabBob(std::string_view text);
    void SetLabMuob(std::string_view text);
    // The match the last CalcOil made.
    const OilMatch& Match() const { return m_match; }
    // Why the laboratory values cannot be matched (a value <= 0, a volume factor below 1, a bubble
    // point at or below the standard pressure); nothing when they can.
    std::optional<std::string> LabProblem() const;
    // Before the schedule is built: a laboratory bubble point alone is taken as typing it (the GOR
    // follows), a laboratory GOR alone as typing the GOR (the bubble point follows), both together
    // are the bubble point and the GOR. Nothing happens with impossible laboratory values.
    void ApplyLabBubblePoint();

    void SetAPI(std::string_view text);
    void SetOilSG(std::string_view text);
    void SetSepGG(std::string_view text);
    void SetSepP(std::string_view text);
    // Separator temperature in the unit held by SepTU.
    void SetSepT(std::string_view text);
    // Initial solution GOR; derives the bubble point, RSITank and RSISep.
    void SetRsi(std::string_view text);
    // Bubble-point pressure; derives the initial solution GOR, RSITank and RSISep.
    void SetPbp(std::string_view text);

    // The correlation chosen for a property of the oil (CorrKey Pb, Bo, Muod, Muo, MuoUS), by its
    // index in ChoiceOf(key).options; 0, the default, everywhere at construction. Other keys: 0,
    // and setting them does nothing. The bubble-point setters read the choice when they run.
    int Correlation(CorrKey key) const;
    void Correlation(CorrKey key, int option);

    // Computes every table over the output schedule; a failure in the pressure loop is reported to
    // the message sink and leaves GO false, earlier failures are thrown.
    void CalcOil();

    // Tables by schedule row k (1..30; anything else throws SubscriptError).
    float GetRSOS(std::int16_t k) const;
    float GetRSO(std::int16_t k) const;
    float GetBOS(std::int16_t k) const;
    float GetBO(std::int16_t k) const;
    float GetMUOS(std::int16_t k) const;
    float GetMUO(std::int16_t k) const;
    float GetCO(std::int16_t k) const;
    float GetRHOOS(std::int16_t k) const;
    float GetRHOO(std::int16_t k) const;

private:
    using Table = std::array<float, kRows>;

    void StoreAPI(float a);
    void StoreOilSG(float s);
    void StoreRSI(float r);
    void StorePbp(float p);
    void CalcRSITank();
    float StandingPb(float rsi) const;
    // The bubble point of the chosen correlation (Standing's as StandingPb computes it).
    float ChosenPb(float rsi) const;
    // The saturated GOR at p by the chosen correlation, and the volume factor at rs.
    double ChosenRs(double p, double standing, const OilInputs& in) const;
    double ChosenBo(double rs, float t, const OilInputs& in) const;
    double ChosenMuo(double muod, double rs) const;
    double CorrectedSepGG() const;
    OilInputs CorrelationInputs(float t) const;
    void RunPressureLoop(float t, float muod);

    const clsFluid& m_fluid;
    const clsPrs& m_prs;
    const clsGas& m_gas;
    MessageSink& m_sink;

    float m_api = 0.0f;
    float m_oilSG = 0.0f;
    float m_sepGG = 0.0f;
    float m_sepGGn = 0.0f;
    float m_sepP = 0.0f;
    std::string m_sepTU;
    float m_sepTf = 0.0f;
    float m_sepTc = 0.0f;
    float m_sepTr = 0.0f;
    float m_rsi = 0.0f;
    float m_rsiTank = 0.0f;
    float m_rsiSep = 0.0f;
    float m_pbp = 0.0f;
    float m_givenRsi = 0.0f;
    float m_givenPbp = 0.0f;
    float m_stDenOil = 0.0f;
    float m_stDenGas = 0.0f;
    bool m_go = false;
    OilLabData m_lab;
    CorrPb m_corrPb = CorrPb::Standing;
    CorrBo m_corrBo = CorrBo::Standing;
    CorrMuod m_corrMuod = CorrMuod::EgbogahJack;
    CorrMuo m_corrMuo = CorrMuo::BeggsRobinson;
    CorrMuoUS m_corrMuoUS = CorrMuoUS::VazquezBeggs;
    OilMatch m_match;

    Table m_rsos{};
    Table m_rso{};
    Table m_bos{};
    Table m_bo{};
    Table m_muos{};
    Table m_muo{};
    Table m_co{};
    Table m_rhoos{};
    Table m_rhoo{};
};

} // namespace q7
