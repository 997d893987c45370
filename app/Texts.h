// The program's own texts, exactly as the user sees them.
#pragma once

namespace app::texts {

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
inline constexpr char kCloseMenuItem[] = "Sulge programm";
inline constexpr char kHomePage[] = "http://www.tarvalind.ee/";

}  // namespace app::texts
