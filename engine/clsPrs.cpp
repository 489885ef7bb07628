#include "engine/clsPrs.h"

#include "engine/clsFluid.h"
#include "engine/clsOil.h"
#include "numeric/Checked.h"
#include "numeric/NumericText.h"

#include <cmath>
#include <utility>

namespace q7 {

clsPrs::clsPrs(const clsFluid& fluid, const clsOil& oil) : m_fluid(fluid), m_oil(oil), m_prRange("R") {
    m_prMax = 5000.0f;
    m_prMin = 1000.0f;
    m_prIni = 0.0f;
    m_nPRSi = 0;
    m_nPRSo = 0;
    m_bPPi = 0;
}

void clsPrs::PrRange(std::string_view value) {
    if (value == m_prRange) return;
    if (value == "I" || value == "i") m_nPRSi = 0;
    std::string upper(value);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    m_prRange = std::move(upper);
}

void clsPrs::SetMaxP(std::string_view text) {
    m_prMax = Str2Nbr(text);
}
void clsPrs::SetMinP(std::string_view text) {
    m_prMin = Str2Nbr(text);
}
void clsPrs::SetIniP(std::string_view text) {
    m_prIni = Str2Nbr(text);
}

void clsPrs::SetPRSi(std::string_view text, std::int16_t index) {
    // A typed list holds 18 pressures; a bad position changes nothing.
    if (index < 1 || index > kMaxTyped) throw SubscriptError();
    const float value = Str2Nbr(text);
    if (value > 0.0f) {
        if (m_nPRSi < index) m_nPRSi = index;
        At(m_prsi, index) = value;
    } else if (index <= m_nPRSi) {
        for (int k = index; k <= m_nPRSi - 1; ++k)
            At(m_prsi, k) = At(m_prsi, k + 1);
        --m_nPRSi;
    }
}

// Sixteen pressures from PrMin to PrMax in whole steps of at least 50 psi, with PrIni put in its
// place when it is not one of them:
//   1000-5000, no PrIni:   1000 1267 1534 ... 4471 4738 5000
//   1000-5000, PrIni 4900: 1000 1267 ... 4738 4900 5000 5500
void clsPrs::BuildPRSi() {
    m_nPRSi = 16;
    const float span = Single(static_cast<double>(m_prMax) - static_cast<double>(m_prMin));
    float step = std::nearbyint(Single(static_cast<double>(span) / (m_nPRSi - 1)));
    if (step < 50.0f) step = 50.0f;

    bool toInsert = m_prIni > 0.0f && m_prIni != m_prMax && m_prIni != m_prMin;
    float p = m_prMin;
    int i = 0;
    for (;;) {
        ++i;
        At(m_prsi, i) = p;
        if (m_prIni == p) toInsert = false;
        if (toInsert && m_prIni < p) {
            At(m_prsi, i) = m_prIni;
            ++i;
            At(m_prsi, i) = p;
            toInsert = false;
        }
        p = Single(static_cast<double>(p) + step);
        if (p >= m_prMax) break;
    }
    ++i;
    At(m_prsi, i) = m_prMax;
    m_nPRSi = static_cast<std::int16_t>(i);

    // The initial pressure lies above the last step (or above the range).
    if (toInsert) {
        At(m_prsi, m_nPRSi) = m_prIni;
        At(m_prsi, m_nPRSi + 1) = m_prMax;
        At(m_prsi, m_nPRSi + 2) = Single(static_cast<double>(m_prMax) + 500.0);
        m_nPRSi = static_cast<std::int16_t>(m_nPRSi + 2);
    }
}

// The input list with the bubble point added, highest first, each pressure once; with oil there is
// always a pressure above and one below the bubble point, whose position is BPPi.
void clsPrs::BuildPRSo() {
    m_nPRSo = m_nPRSi;
    for (int k = 1; k <= m_nPRSi; ++k)
        At(m_prso, k) = At(m_prsi, k);

    const bool oil = m_fluid.PhaseOil();
    const float pbp = m_oil.Pbp();
    if (oil) {
        ++m_nPRSo;
        At(m_prso, m_nPRSo) = pbp;
    }

    if (m_nPRSo >= 2) {
        for (int j = 1; j <= m_nPRSo - 1; ++j) {
            for (int k = 1; k <= m_nPRSo - j; ++k) {
                if (At(m_prso, k + 1) > At(m_prso, k)) std::swap(At(m_prso, k), At(m_prso, k + 1));
            }
        }
        int k = 1;
        do {
            if (At(m_prso, k + 1) != At(m_prso, k)) {
                ++k;
            } else {
                for (int l = k + 1; l <= m_nPRSo - 1; ++l)
                    At(m_prso, l) = At(m_prso, l + 1);
                --m_nPRSo;
            }
        } while (k != m_nPRSo);
    }

    if (!oil) return;

    if (At(m_prso, m_nPRSo) == pbp) {
        float below = std::nearbyint(Single(static_cast<double>(pbp) - 500.0));
        if (below < 10.0f) below = 10.0f;
        ++m_nPRSo;
        At(m_prso, m_nPRSo) = below;
    }
    if (At(m_prso, 1) == pbp) {
        ++m_nPRSo;
        for (int k = m_nPRSo; k >= 2; --k)
            At(m_prso, k) = At(m_prso, k - 1);
        At(m_prso, 1) = std::nearbyint(Single(static_cast<double>(pbp) + 500.0));
    }
    for (int k = 1; k <= m_nPRSo; ++k) {
        if (At(m_prso, k) == pbp) {
            m_bPPi = static_cast<std::int16_t>(k);
            break;
        }
    }
}

float clsPrs::GetPRSi(std::int16_t index) const {
    int k = index < 1 ? 1 : index;
    if (k > m_nPRSi) k = m_nPRSi;
    return At(m_prsi, k);
}

float clsPrs::GetPRSo(std::int16_t index) const {
    int k = index < 1 ? 1 : index;
    if (k > m_nPRSo) k = m_nPRSo;
    return At(m_prso, k);
}

} // namespace q7
