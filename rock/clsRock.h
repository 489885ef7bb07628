#pragma once
// Relative permeability and capillary pressure of the rock: a saturation table of `SatRows` rows
// (15 unless chosen otherwise) for an oil–water (SWOF form), a gas–oil (SGOF form) or a gas–water
// (SWFN and SGFN form) system, or both the oil–water and the gas–oil table from one set of end
// points, from the Corey curves, the Honarpour correlations or the LET curves, with the capillary
// pressure of a chosen model.
#include "numeric/Errors.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace q7 {

// Rock inputs that give no meaningful table (a capillary-pressure column that rises with the
// wetting-phase saturation or is not finite, a Leverett J without porosity or permeability); the
// message names the key to change.
class RockInputError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "RockInputError"; }
};

class clsRock {
public:
    static constexpr std::int16_t kRows = 15;    // rows of the table unless SatRows says otherwise
    static constexpr std::int16_t kMaxRows = 50; // the most rows SatRows may ask for

    clsRock();

    // Selectors (indexes of the option groups).
    // 0 oil–water, 1 gas–oil, 2 oil–water and gas–oil (two tables), 3 gas–water.
    std::int16_t Fluids() const { return m_Fluids; }
    void Fluids(std::int16_t v) { m_Fluids = v; }
    std::int16_t Displace() const { return m_Displace; } // 0 drainage, 1 imbibition
    void Displace(std::int16_t v) { m_Displace = v; }
    std::int16_t Lith() const { return m_Lith; } // 0 sandstone, 1 limestone
    void Lith(std::int16_t v) { m_Lith = v; }
    std::int16_t Wet() const { return m_Wet; } // 0 water wet, 1 oil wet
    void Wet(std::int16_t v) { m_Wet = v; }
    std::int16_t CORR() const { return m_CORR; } // 0 Corey, 1 Honarpour, 2 LET
    void CORR(std::int16_t v) { m_CORR = v; }
    // Capillary-pressure model of the oil–water table: 0 none, 1 Leverett J, 2 Brooks–Corey,
    // 3 Skjæveland; of the gas–oil table: 0 none, 1 Leverett J, 2 Brooks–Corey.
    std::int16_t PcowModel() const { return m_PcowModel; }
    void PcowModel(std::int16_t v) { m_PcowModel = v; }
    std::int16_t PcogModel() const { return m_PcogModel; }
    void PcogModel(std::int16_t v) { m_PcogModel = v; }
    // Rows the next CalcRock computes (15..50); NWet is the row count of the table last computed.
    std::int16_t SatRows() const { return m_SatRows; }
    void SatRows(std::int16_t v) { m_SatRows = v; }

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

    // Oil–water capillary pressure: cap (psi), Leverett J = JA·S*^(−JB) with IFT (mN/m) and contact
    // angle (degrees), Brooks–Corey entry pressure (psi) and λ, Skjæveland cw, aw (water branch,
    // psi) and co, ao (oil branch, psi, co ≤ 0).
    float PcowMax() const { return m_PcowMax; }
    float PcowJA() const { return m_PcowJA; }
    float PcowJB() const { return m_PcowJB; }
    float PcowIFT() const { return m_PcowIFT; }
    float PcowAngle() const { return m_PcowAngle; }
    float PcowEntry() const { return m_PcowEntry; }
    float PcowLambda() const { return m_PcowLambda; }
    float PcowCw() const { return m_PcowCw; }
    float PcowAw() const { return m_PcowAw; }
    float PcowCo() const { return m_PcowCo; }
    float PcowAo() const { return m_PcowAo; }
    // Gas–oil capillary pressure, the same inputs for its two models.
    float PcogMax() const { return m_PcogMax; }
    float PcogJA() const { return m_PcogJA; }
    float PcogJB() const { return m_PcogJB; }
    float PcogIFT() const { return m_PcogIFT; }
    float PcogAngle() const { return m_PcogAngle; }
    float PcogEntry() const { return m_PcogEntry; }
    float PcogLambda() const { return m_PcogLambda; }
    // LET curves (CORR 2): L, E, T of each phase and the end-point kr.
    float LetWaterL() const { return m_LetWaterL; }
    float LetWaterE() const { return m_LetWaterE; }
    float LetWaterT() const { return m_LetWaterT; }
    float LetOilL() const { return m_LetOilL; }
    float LetOilE() const { return m_LetOilE; }
    float LetOilT() const { return m_LetOilT; }
    float LetGasL() const { return m_LetGasL; }
    float LetGasE() const { return m_LetGasE; }
    float LetGasT() const { return m_LetGasT; }
    float KrwMax() const { return m_KrwMax; }
    float KroMax() const { return m_KroMax; }
    float KrgMax() const { return m_KrgMax; }

    void SetSWC(std::string_view text);
    void SetSORW(std::string_view text);
    void SetSORG(std::string_view text);
    void SetSGCrit(std::string_view text);
    void SetCoreyK(std::string_view text);
    void SetCoreyN(std::string_view text);
    void SetHRPoro(std::string_view text);
    void SetHRAir(std::string_view text);
    void SetHRKrg(std::string_view text);
    void SetPcowMax(std::string_view text);
    void SetPcowJA(std::string_view text);
    void SetPcowJB(std::string_view text);
    void SetPcowIFT(std::string_view text);
    void SetPcowAngle(std::string_view text);
    void SetPcowEntry(std::string_view text);
    void SetPcowLambda(std::string_view text);
    void SetPcowCw(std::string_view text);
    void SetPcowAw(std::string_view text);
    void SetPcowCo(std::string_view text);
    void SetPcowAo(std::string_view text);
    void SetPcogMax(std::string_view text);
    void SetPcogJA(std::string_view text);
    void SetPcogJB(std::string_view text);
    void SetPcogIFT(std::string_view text);
    void SetPcogAngle(std::string_view text);
    void SetPcogEntry(std::string_view text);
    void SetPcogLambda(std::string_view text);
    void SetLetWaterL(std::string_view text);
    void SetLetWaterE(std::string_view text);
    void SetLetWaterT(std::string_view text);
    void SetLetOilL(std::string_view text);
    void SetLetOilE(std::string_view text);
    void SetLetOilT(std::string_view text);
    void SetLetGasL(std::string_view text);
    void SetLetGasE(std::string_view text);
    void SetLetGasT(std::string_view text);
    void SetKrwMax(std::string_view text);
    void SetKroMax(std::string_view text);
    void SetKrgMax(std::string_view text);

    // Saturation columns; the index is clamped to 1..NWet.
    float GetSWet(std::int16_t i) const;
    float GetSNWet(std::int16_t i) const;
    // i in 1..NWet, else SubscriptError.
    float GetSD(std::int16_t i) const;
    float GetKROil(std::int16_t i) const;
    float GetKRWat(std::int16_t i) const;
    float GetKRGas(std::int16_t i) const;
    // Capillary pressure of row i, psi: Pcow of the oil–water table, Pcog of the gas–oil table;
    // 0 in every row when the table's model is none.
    float GetPC(std::int16_t i) const;
    // Whether the table's system has a capillary-pressure model chosen (the Pc column is not all 0).
    bool HasPc() const;

    // The tables of the last calculation, each a rock of one system (Fluids 0, 1 or 3) whose getters
    // read that table: the rock itself for Fluids 0, 1 and 3; for Fluids 2 its oil–water and its
    // gas–oil table, computed from the same inputs. Null (empty) when the system has no such table.
    const clsRock* OilWaterTable() const;
    const clsRock* GasOilTable() const;
    const clsRock* GasWaterTable() const;
    std::vector<const clsRock*> Tables() const;

    // Recomputes the whole table; arithmetic failures throw ArithmeticError, inputs that give no
    // meaningful table RockInputError, and both leave GO false.
    void CalcRock();

private:
    void BuildGrid();
    void CoreyCurves();
    void LetCurves();
    void CapillaryPressure();
    void HonarpourOilWater();
    void HonarpourGasOil();
    void CalcBoth();

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
    std::int16_t m_PcowModel = 0;
    std::int16_t m_PcogModel = 0;
    std::int16_t m_SatRows = kRows;
    float m_PcowMax = 100.0f;
    float m_PcowJA = 0.3f;
    float m_PcowJB = 0.5f;
    float m_PcowIFT = 30.0f;
    float m_PcowAngle = 0.0f;
    float m_PcowEntry = 2.0f;
    float m_PcowLambda = 2.0f;
    float m_PcowCw = 1.0f;
    float m_PcowAw = 0.5f;
    float m_PcowCo = -1.0f;
    float m_PcowAo = 0.5f;
    float m_PcogMax = 100.0f;
    float m_PcogJA = 0.3f;
    float m_PcogJB = 0.5f;
    float m_PcogIFT = 20.0f;
    float m_PcogAngle = 0.0f;
    float m_PcogEntry = 1.0f;
    float m_PcogLambda = 2.0f;
    float m_LetWaterL = 2.0f;
    float m_LetWaterE = 1.0f;
    float m_LetWaterT = 1.5f;
    float m_LetOilL = 2.0f;
    float m_LetOilE = 1.0f;
    float m_LetOilT = 1.5f;
    float m_LetGasL = 2.0f;
    float m_LetGasE = 1.0f;
    float m_LetGasT = 1.5f;
    float m_KrwMax = 1.0f;
    float m_KroMax = 1.0f;
    float m_KrgMax = 1.0f;

    // Fluids 2: the two tables of the last calculation (the rock's own columns then copy the
    // oil–water one). Shared between copies: a calculation replaces them, never changes them.
    std::shared_ptr<const clsRock> m_OilWater;
    std::shared_ptr<const clsRock> m_GasOil;

    // 1-based tables; element 0 unused.
    std::array<float, kMaxRows + 1> m_SWet{};
    std::array<float, kMaxRows + 1> m_SNWet{};
    std::array<float, kMaxRows + 1> m_SD{};
    std::array<float, kMaxRows + 1> m_KROil{};
    std::array<float, kMaxRows + 1> m_KRWat{};
    std::array<float, kMaxRows + 1> m_KRGas{};
    std::array<float, kMaxRows + 1> m_PC{};
};

} // namespace q7
