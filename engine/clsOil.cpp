#include "engine/clsOil.h"

#include "engine/CalcStage.h"
#include "engine/FieldUnits.h"
#include "engine/clsFluid.h"
#include "engine/clsGas.h"
#include "engine/clsPrs.h"
#include "numeric/Checked.h"
#include "numeric/NumericText.h"

namespace q7 {
namespace {

double D(float v) {
    return static_cast<double>(v);
}

// A laboratory box: blank is "not measured", anything else is read as every box is.
std::optional<float> LabValue(std::string_view text) {
    if (text.find_first_not_of(" \t") == std::string_view::npos) return std::nullopt;
    return Str2Nbr(text);
}

// Standing's temperature and gravity term 10^(0.00091 T - 0.0125 API); °F, °API.
double StandingTerm(float t, float api) {
    return Pow(10.0, 0.00091 * D(t) - 0.0125 * D(api));
}

} // namespace

clsOil::clsOil(const clsFluid& fluid, const clsPrs& prs, const clsGas& gas, MessageSink& sink)
    : m_fluid(fluid), m_prs(prs), m_gas(gas), m_sink(sink), m_sepTU("F") {
    StoreAPI(35.0f);
    m_sepGG = 0.9f;
    m_sepP = 50.0f;
    clsFluid::SetTemperature("F", 75.0f, m_sepTf, m_sepTc, m_sepTr);
    StoreRSI(683.9f);
    m_stDenOil = 53.0f;
    m_go = false;
}

// Oil specific gravity from API gravity: 141.5 / (API + 131.5).
void clsOil::StoreAPI(float a) {
    m_api = a;
    Store(m_oilSG, Div(141.5, D(a) + 131.5));
}

// API gravity from specific gravity: 141.5 / SG - 131.5; a gravity <= 0 keeps the old API.
void clsOil::StoreOilSG(float s) {
    m_oilSG = s;
    if (s > 0.0f) Store(m_api, Div(141.5, D(s)) - 131.5);
}

void clsOil::SetAPI(std::string_view text) {
    StoreAPI(Str2Nbr(text));
}
void clsOil::SetOilSG(std::string_view text) {
    StoreOilSG(Str2Nbr(text));
}
void clsOil::SetSepGG(std::string_view text) {
    m_sepGG = Str2Nbr(text);
}
void clsOil::SetSepP(std::string_view text) {
    m_sepP = Str2Nbr(text);
}

void clsOil::SepTU(std::string_view unit) {
    clsFluid::ChangeTemperatureUnit(m_sepTU, unit, m_sepTf, m_sepTc, m_sepTr);
}

void clsOil::SetSepT(std::string_view text) {
    clsFluid::SetTemperature(m_sepTU, Str2Nbr(text), m_sepTf, m_sepTc, m_sepTr);
}

void clsOil::SetRsi(std::string_view text) {
    StoreRSI(Str2Nbr(text));
}
void clsOil::SetPbp(std::string_view text) {
    StorePbp(Str2Nbr(text));
}

void clsOil::SetLabPb(std::string_view text) {
    m_lab.Pb = LabValue(text);
}
void clsOil::SetLabRsb(std::string_view text) {
    m_lab.Rsb = LabValue(text);
}
void clsOil::SetLabBob(std::string_view text) {
    m_lab.Bob = LabValue(text);
}
void clsOil::SetLabMuob(std::string_view text) {
    m_lab.Muob = LabValue(text);
}

// Rollins, McCain and Creeger (1990) stock-tank vent GOR; scf/stb, psia, °F.
void clsOil::CalcRSITank() {
    const double l = 0.3818 - 5.506 * D(aLog10(m_oilSG)) + 2.902 * D(aLog10(m_sepGG)) +
                     1.327 * D(aLog10(m_sepP)) - 0.7355 * D(aLog10(m_sepTf));
    Store(m_rsiTank, Pow(10.0, l));
}

// Standing (1947) bubble point from the total GOR; psia, scf/stb, °F.
float clsOil::StandingPb(float rsi) const {
    const double a = StandingTerm(m_fluid.ResTf(), m_api);
    const float y = Single(Pow(Div(D(rsi), D(m_sepGG)), 0.83) * a);
    return Single((D(y) - 1.4) * 18.2);
}

int clsOil::Correlation(CorrKey key) const {
    switch (key) {
    case CorrKey::Pb:
        return static_cast<int>(m_corrPb);
    case CorrKey::Bo:
        return static_cast<int>(m_corrBo);
    case CorrKey::Muod:
        return static_cast<int>(m_corrMuod);
    case CorrKey::Muo:
        return static_cast<int>(m_corrMuo);
    case CorrKey::MuoUS:
        return static_cast<int>(m_corrMuoUS);
    default:
        return 0;
    }
}

void clsOil::Correlation(CorrKey key, int option) {
    if (option < 0 || option >= static_cast<int>(ChoiceOf(key).options.size())) return;
    switch (key) {
    case CorrKey::Pb:
        m_corrPb = static_cast<CorrPb>(option);
        break;
    case CorrKey::Bo:
        m_corrBo = static_cast<CorrBo>(option);
        break;
    case CorrKey::Muod:
        m_corrMuod = static_cast<CorrMuod>(option);
        break;
    case CorrKey::Muo:
        m_corrMuo = static_cast<CorrMuo>(option);
        break;
    case CorrKey::MuoUS:
        m_corrMuoUS = static_cast<CorrMuoUS>(option);
        break;
    default:
        break;
    }
}

// Vazquez and Beggs (1980) separator gas gravity corrected to 114.7 psia; psia, °F, °API.
double clsOil::CorrectedSepGG() const {
    return D(m_sepGG) * (1.0 + 0.00005912 * D(m_api) * D(m_sepTf) * D(aLog10(Single(D(m_sepP) / 114.7))));
}

OilInputs clsOil::CorrelationInputs(float t) const {
    OilInputs in;
    in.api = D(m_api);
    in.oilSG = D(m_oilSG);
    in.gasSG = D(m_sepGG);
    in.gasSG100 =
        m_corrPb == CorrPb::VazquezBeggs || m_corrBo == CorrBo::VazquezBeggs ? CorrectedSepGG() : in.gasSG;
    in.tF = D(t);
    return in;
}

float clsOil::ChosenPb(float rsi) const {
    if (m_corrPb == CorrPb::Standing) return StandingPb(rsi);
    return Single(BubblePoint(m_corrPb, CorrelationInputs(m_fluid.ResTf()), D(rsi)));
}

// The solution GOR of oil saturated at p; psia, scf/stb. Standing's from his term 10^(0.00091 T -
// 0.0125 API).
double clsOil::ChosenRs(double p, double standing, const OilInputs& in) const {
    if (m_corrPb == CorrPb::Standing) return D(m_sepGG) * Pow(Div(p / 18.2 + 1.4, standing), 1.0 / 0.83);
    return SolutionGor(m_corrPb, in, p);
}

// The saturated oil volume factor at the solution GOR rs; rb/stb, °F.
double clsOil::ChosenBo(double rs, float t, const OilInputs& in) const {
    if (m_corrBo == CorrBo::Standing) {
        const double f = Pow(Div(D(m_sepGG), D(m_oilSG)), 0.5) * rs + 1.25 * D(t);
        return 0.9759 + 0.00012 * Pow(f, 1.2);
    }
    return SaturatedBo(m_corrBo, in, rs);
}

// The saturated oil viscosity from the dead-oil viscosity at the solution GOR rs; cp, scf/stb.
double clsOil::ChosenMuo(double muod, double rs) const {
    if (m_corrMuo == CorrMuo::BeggsRobinson) {
        const double a = 10.715 * Pow(rs + 100.0, -0.515);
        const double b = 5.44 * Pow(rs + 150.0, -0.338);
        return a * Pow(muod, b);
    }
    return SaturatedOilViscosity(m_corrMuo, muod, rs);
}

void clsOil::StoreRSI(float r) {
    m_rsi = r;
    CalcRSITank();
    m_pbp = ChosenPb(r);
    Store(m_rsiSep, D(m_rsi) - D(m_rsiTank));
    m_givenRsi = m_rsi;
    m_givenPbp = m_pbp;
}

// Standing (1947) total GOR from the bubble point; scf/stb, psia, °F.
void clsOil::StorePbp(float p) {
    m_pbp = p;
    CalcRSITank();
    if (m_corrPb != CorrPb::Standing) {
        Store(m_rsi, SolutionGor(m_corrPb, CorrelationInputs(m_fluid.ResTf()), D(p)));
        Store(m_rsiSep, D(m_rsi) - D(m_rsiTank));
        m_givenRsi = m_rsi;
        m_givenPbp = m_pbp;
        return;
    }
    const float h = Single(D(p) / 18.2 + 1.4);
    const float v = Single(Div(D(h), StandingTerm(m_fluid.ResTf(), m_api)));
    Store(m_rsi, Pow(D(v), 1.0 / 0.83) * D(m_sepGG));
    Store(m_rsiSep, D(m_rsi) - D(m_rsiTank));
    m_givenRsi = m_rsi;
    m_givenPbp = m_pbp;
}

std::optional<std::string> clsOil::LabProblem() const {
    if (m_lab.Pb && *m_lab.Pb <= 0.0f)
        return std::string("The laboratory bubble point must be greater than 0.");
    if (m_lab.Pb && *m_lab.Pb <= m_fluid.StdP()) {
        std::string text = "The laboratory bubble point must be above the standard pressure (";
        text += GeneralForm(m_fluid.StdP());
        text += " psia).";
        return text;
    }
    if (m_lab.Rsb && *m_lab.Rsb <= 0.0f)
        return std::string("The laboratory solution GOR must be greater than 0.");
    if (m_lab.Bob && *m_lab.Bob < 1.0f)
        return std::string("The laboratory oil volume factor must be at least 1.");
    if (m_lab.Muob && *m_lab.Muob <= 0.0f)
        return std::string("The laboratory oil viscosity must be greater than 0.");
    return std::nullopt;
}

void clsOil::ApplyLabBubblePoint() {
    if (LabProblem()) return;
    // The measured point replaces the computation's pair; the pair given stays what the boxes hold.
    struct KeepGiven {
        clsOil& oil;
        float rsi, pbp;
        ~KeepGiven() {
            oil.m_givenRsi = rsi;
            oil.m_givenPbp = pbp;
        }
    } keep{*this, m_givenRsi, m_givenPbp};
    if (m_lab.Pb && m_lab.Rsb) {
        m_rsi = *m_lab.Rsb;
        CalcRSITank();
        m_pbp = *m_lab.Pb;
        Store(m_rsiSep, D(m_rsi) - D(m_rsiTank));
    } else if (m_lab.Pb) {
        StorePbp(*m_lab.Pb);
    } else if (m_lab.Rsb) {
        StoreRSI(*m_lab.Rsb);
    }
}

void clsOil::CalcOil() {
    m_go = false;
    m_match = OilMatch{};
    if (const std::optional<std::string> problem = LabProblem()) {
        m_sink.ShowError(*problem, StageTitle(CalcStage::Oil));
        return;
    }
    const float t = m_fluid.ResTf();

    Store(m_stDenOil, 62.4 * D(m_oilSG));
    Store(m_stDenGas, Div(D(m_fluid.StdP()) * 28.96 * D(m_sepGG), D(m_fluid.StdTr()) * 10.73));

    // Dead oil viscosity by the chosen correlation, Egbogah and Jack (1983) by default; cp, °F, °API.
    float muod = 0.0f;
    if (m_corrMuod == CorrMuod::EgbogahJack) {
        const double c = 1.8653 - 0.02508 * D(m_api) - 0.5644 * D(aLog10(t));
        muod = Single(Pow(10.0, Pow(10.0, c)) - 1.0);
    } else {
        muod = Single(DeadOilViscosity(m_corrMuod, D(m_api), D(t)));
    }

    Store(m_sepGGn, CorrectedSepGG());

    RunPressureLoop(t, muod);
}

// Lowest pressure first, so that the bubble point row is known before the rows above it.
void clsOil::RunPressureLoop(float t, float muod) {
    const int bppi = m_prs.BPPi();
    const double standing = StandingTerm(t, m_api);
    const double gasGravity = D(m_gas.GasGrav());
    float p = 0.0f;
    try {
        const OilInputs in = CorrelationInputs(t);
        // The match to laboratory values at the bubble point. The saturated solution GOR keeps the
        // correlation's shape, read at the pressure scaled so that the laboratory bubble point gives
        // the laboratory GOR; the saturated expansion Bo - 1 and every viscosity take one factor
        // each. Each laboratory value is itself the bubble-point row's value.
        const bool scaled = m_lab.Pb && m_lab.Rsb;
        double scale = 1.0;
        if (scaled) {
            p = m_pbp;
            const float pbCorr = ChosenPb(*m_lab.Rsb);
            if (!(pbCorr > 0.0f)) {
                m_sink.ShowError("The laboratory bubble point and GOR cannot be matched: the correlation "
                                 "gives no bubble point at the laboratory GOR.",
                                 StageTitle(CalcStage::Oil));
                return;
            }
            scale = Div(D(pbCorr), D(m_pbp));
        }
        // The bubble-point row's saturated GOR, Bo and viscosity before the match.
        const double pb = D(m_prs.GetPRSo(static_cast<std::int16_t>(bppi)));
        const float rsb = m_lab.Rsb ? *m_lab.Rsb : Single(ChosenRs(scaled ? pb * scale : pb, standing, in));
        double boFactor = 1.0;
        if (m_lab.Bob) {
            p = m_pbp;
            const float bobCorr = Single(ChosenBo(D(rsb), t, in));
            if (!(bobCorr > 1.0f)) {
                m_sink.ShowError("The laboratory oil volume factor cannot be matched: the correlation's "
                                 "volume factor at the bubble point is not above 1.",
                                 StageTitle(CalcStage::Oil));
                return;
            }
            boFactor = Div(D(*m_lab.Bob) - 1.0, D(bobCorr) - 1.0);
        }
        double muFactor = 1.0;
        if (m_lab.Muob) {
            p = m_pbp;
            const float muobCorr = Single(ChosenMuo(D(muod), D(rsb)));
            muFactor = Div(D(*m_lab.Muob), D(muobCorr));
        }

        for (int k = m_prs.NPRSo(); k >= 1; --k) {
            p = m_prs.GetPRSo(static_cast<std::int16_t>(k));
            const bool above = k < bppi;

            // Solution GOR of oil saturated at p by the chosen correlation; scf/stb, psia, °F.
            if (k == bppi && m_lab.Rsb) {
                At(m_rsos, k) = *m_lab.Rsb;
            } else if (scaled) {
                Store(At(m_rsos, k), ChosenRs(D(p) * scale, standing, in));
            } else {
                Store(At(m_rsos, k), ChosenRs(D(p), standing, in));
            }
            At(m_rso, k) = above ? At(m_rsos, bppi) : At(m_rsos, k);

            // Vazquez and Beggs (1980) oil compressibility; 1/psi, scf/stb, °F, °API.
            Store(At(m_co, k),
                  Div(5.0 * D(At(m_rso, k)) - 1433.0 + 17.2 * D(t) - 1180.0 * gasGravity + 12.61 * D(m_api),
                      100000.0 * D(p)));

            // Saturated oil formation volume factor by the chosen correlation; rb/stb, scf/stb, °F.
            Store(At(m_bos, k), ChosenBo(D(At(m_rsos, k)), t, in));
            if (k == bppi && m_lab.Bob)
                At(m_bos, k) = *m_lab.Bob;
            else if (m_lab.Bob)
                Store(At(m_bos, k), 1.0 + (D(At(m_bos, k)) - 1.0) * boFactor);

            // Undersaturated Bo from the mean compressibility over the step to the next lower pressure.
            if (above) {
                const double pBelow = D(m_prs.GetPRSo(static_cast<std::int16_t>(k + 1)));
                Store(At(m_bo, k), D(At(m_bo, k + 1)) *
                                       Exp((D(At(m_co, k + 1)) + D(At(m_co, k))) / 2.0 * (pBelow - D(p))));
            } else {
                At(m_bo, k) = At(m_bos, k);
            }

            // Saturated oil viscosity by the chosen correlation; cp, scf/stb.
            Store(At(m_muos, k), ChosenMuo(D(muod), D(At(m_rsos, k))));
            if (k == bppi && m_lab.Muob)
                At(m_muos, k) = *m_lab.Muob;
            else if (m_lab.Muob)
                Store(At(m_muos, k), D(At(m_muos, k)) * muFactor);

            // Undersaturated oil viscosity by the chosen correlation (Vazquez and Beggs (1980) by default);
            // cp, psia.
            if (above && m_corrMuoUS != CorrMuoUS::VazquezBeggs) {
                Store(At(m_muo, k),
                      UndersaturatedOilViscosity(m_corrMuoUS, D(At(m_muos, bppi)), D(p), D(m_pbp)));
            } else if (above) {
                const double m = 2.6 * Pow(D(p), 1.187) * Exp(-11.513 - 0.0000898 * D(p));
                Store(At(m_muo, k), D(At(m_muos, bppi)) * Pow(Div(D(p), D(m_pbp)), m));
            } else {
                At(m_muo, k) = At(m_muos, k);
            }

            // Oil density from the stock-tank densities and the dissolved gas; lb/ft³.
            Store(At(m_rhoos, k), Div(D(m_stDenGas) * D(At(m_rsos, k)) / kCubicFeetPerBarrel + D(m_stDenOil),
                                      D(At(m_bos, k))));
            Store(At(m_rhoo, k),
                  Div(D(m_stDenGas) * D(At(m_rso, k)) / kCubicFeetPerBarrel + D(m_stDenOil), D(At(m_bo, k))));
        }
        m_match.Made = scaled || m_lab.Bob || m_lab.Muob;
        m_match.PressureScale = Single(scale);
        m_match.BoFactor = Single(boFactor);
        m_match.ViscosityFactor = Single(muFactor);
    } catch (const CorrelationError& e) {
        // A chosen correlation that gives an impossible value refuses the case.
        m_sink.ShowError(e.what(), "Oil Properties Error");
        return;
    } catch (const Error&) {
        m_sink.ShowError("Error at pressure " + GeneralForm(p) + " - Please adjust input paramemters!",
                         StageTitle(CalcStage::Oil));
        return;
    }
    m_go = true;
}

float clsOil::GetRSOS(std::int16_t k) const {
    return At(m_rsos, k);
}
float clsOil::GetRSO(std::int16_t k) const {
    return At(m_rso, k);
}
float clsOil::GetBOS(std::int16_t k) const {
    return At(m_bos, k);
}
float clsOil::GetBO(std::int16_t k) const {
    return At(m_bo, k);
}
float clsOil::GetMUOS(std::int16_t k) const {
    return At(m_muos, k);
}
float clsOil::GetMUO(std::int16_t k) const {
    return At(m_muo, k);
}
float clsOil::GetCO(std::int16_t k) const {
    return At(m_co, k);
}
float clsOil::GetRHOOS(std::int16_t k) const {
    return At(m_rhoos, k);
}
float clsOil::GetRHOO(std::int16_t k) const {
    return At(m_rhoo, k);
}

} // namespace q7
