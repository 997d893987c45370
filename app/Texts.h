// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own texts, exactly as the user sees them.
#pragma once

#include "store/ProgramName.h"

#include <QString>

#include <string_view>

namespace app::texts {

// A text of the store (UTF-8) as the toolkit's string.
inline QString fromStore(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString programName() { return fromStore(store::kProgramName); }

inline constexpr char kAttention[] = "Tähelepanu";
inline constexpr char kMissingFiles[] = "Ei leidnud programmi avamiseks vajalikke faile!";
inline constexpr char kWriteProtected[] = "Andmefailil on kirjutuskaitse, mida pole võimalik eemaldada.";
inline constexpr char kErrorNumber[] = "Viga: #";
inline constexpr char kOpenInAnotherWindow[] = "Tähtpäevade nimekiri on juba teises aknas avatud.";
inline constexpr char kEmptyList[] = "Andmebaas ei sisalda ühtegi rida!";
inline constexpr char kDeleteCaption[] = "Kustutamine";
inline constexpr char kDeleteQuestion[] = "Kas kustutada rida andmebaasist?";
inline constexpr char kConfirmCaption[] = "Confirm";
inline constexpr char kConfirmDelete[] = "Delete record?";
inline constexpr char kWebCaption[] = "WEB";
inline constexpr char kWebQuestion[] = "Kas soovid külastada programmi kodulehte?";
inline constexpr char kWrongDate[] = "Vale kuupäev!";
inline constexpr char kSaveFailed[] = "Andmeid ei õnnestunud salvestada faili";
inline constexpr char kSaveFailedReason[] = "Põhjus: ";
inline constexpr char kSaveRetry[] = "Kas proovida uuesti?";

}  // namespace app::texts
