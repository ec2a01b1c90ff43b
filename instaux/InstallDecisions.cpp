#include "instaux/InstallDecisions.h"

#include "instaux/VersionNumber.h"

#include <algorithm>

namespace instaux {

namespace {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

VersionDecision DecisionForVersion(int versionNumber)
{
    switch (BandOfVersion(versionNumber)) {
    case VersionBand::TooOld:
        return {VersionQuestion::ReplaceOnly, nullptr};
    case VersionBand::Old:
        return {VersionQuestion::UpdateOrReplace, "An old version of KELDORAN is already installed."};
    case VersionBand::Existing:
        return {VersionQuestion::UpdateOrReplace, "An existing version of KELDORAN is already installed."};
    case VersionBand::Newer:
        break;
    }
    return {VersionQuestion::Refuse, nullptr};
}

bool CopyFailureCounts(const ConfigurationFile& file, bool sourceExists)
{
    return !file.optional || sourceExists;
}

bool IsConfigurationFile(std::string_view name)
{
    return std::any_of(kConfigurationFiles.begin(), kConfigurationFiles.end(),
                       [name](const ConfigurationFile& file) { return EqualIgnoringAsciiCase(file.name, name); });
}

bool MayDeleteObsoleteFile(std::string_view name, bool exists, bool backedUp)
{
    return !exists || backedUp || !IsConfigurationFile(name);
}

}  // namespace instaux
