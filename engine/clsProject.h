#pragma once
// The descriptive fields of the current project. PrjName, CreatedBy and PrjDesc follow what the
// user types in the project dialog; Company, Field and Reservoir are not stored and are read by
// the report.
#include <string>
#include <string_view>

namespace q7 {

class clsProject {
public:
    static constexpr std::string_view kNotSet = "-Not Set-";

    const std::string& PrjName() const { return m_PrjName; }
    void PrjName(std::string_view value) { m_PrjName = value; }
    const std::string& CreatedBy() const { return m_CreatedBy; }
    void CreatedBy(std::string_view value) { m_CreatedBy = value; }
    const std::string& PrjDesc() const { return m_PrjDesc; }
    void PrjDesc(std::string_view value) { m_PrjDesc = value; }
    const std::string& Company() const { return m_Company; }
    void Company(std::string_view value) { m_Company = value; }
    const std::string& Field() const { return m_Field; }
    void Field(std::string_view value) { m_Field = value; }
    const std::string& Reservoir() const { return m_Reservoir; }
    void Reservoir(std::string_view value) { m_Reservoir = value; }

private:
    std::string m_PrjName{kNotSet};
    std::string m_CreatedBy{kNotSet};
    std::string m_PrjDesc{kNotSet};
    std::string m_Company{kNotSet};
    std::string m_Field{kNotSet};
    std::string m_Reservoir{kNotSet};
};

} // namespace q7
