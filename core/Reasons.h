#pragma once
// What a trainee is told when a press does nothing: one sentence per guard
// of the desk's handlers (see Guard.h; "%S" is the station the guard speaks
// of, "%O" the other station).

#include <string_view>

namespace kyt::reason {

// "DALEJ".
inline constexpr std::string_view kNoDalejStep
    = "Przycisk DALEJ nie ma teraz kolejnego kroku do pokazania.";

// Wbl: the request for the block.
inline constexpr std::string_view kOtherRequested
    = "Stacja %O zgłosiła już blokadę (przekaźnik Wbl stacji %O wzbudzony): stacja %S może jej "
      "teraz tylko dać pozwolenie przyciskiem Poz.";
inline constexpr std::string_view kDpDropped
    = "Przekaźnik Dp stacji %S jest odwzbudzony: stacja %S dała pozwolenie stacji %O i zgłosi "
      "blokadę dopiero po jej zwolnieniu.";
inline constexpr std::string_view kHoldsPermission
    = "Stacja %S ma już pozwolenie (przekaźnik Op stacji %S wzbudzony): zgłoszenie jest zbędne.";
inline constexpr std::string_view kPwlLampRequest
    = "Świeci lampka „Pwl %S” (sygnał wyjazdowy był podany albo użyto dPo): najpierw trzeba "
      "zwolnić blokadę.";
inline constexpr std::string_view kDalejPending
    = "Najpierw naciśnij DALEJ, aby dokończyć rozpoczęty krok.";

// Wbl: the release without a train, begun at the sending station.
inline constexpr std::string_view kNoPermissionToRelease
    = "Stacja %S nie ma pozwolenia (przekaźnik Op stacji %S odwzbudzony), więc nie ma czego "
      "zwalniać przyciskiem Wbl.";
inline constexpr std::string_view kPwlLampRelease
    = "Świeci lampka „Pwl %S”: pociąg został wyprawiony (albo użyto dPo), blokadę zwolni Ko lub "
      "dKo na stacji %O, nie Wbl.";

// Wbl: the confirmation of that release at the receiving station.
inline constexpr std::string_view kNotReceiving
    = "Przekaźnik Lzs stacji %S jest odwzbudzony: stacja %S nie przyjmuje pociągów od stacji %O, "
      "nie ma czego potwierdzać.";
inline constexpr std::string_view kNoReleaseBegun
    = "Stacja %O nie rozpoczęła zwalniania blokady przyciskiem Wbl.";
inline constexpr std::string_view kPwlLampConfirm
    = "Świeci lampka „Pwl %S”: zwolnienia przyciskiem Wbl nie można teraz potwierdzić.";

// Poz.
inline constexpr std::string_view kNoRequest
    = "Stacja %O nie zgłosiła blokady (przekaźnik Wbl stacji %O odwzbudzony): pozwolenie daje się "
      "dopiero na zgłoszenie.";
inline constexpr std::string_view kReleaseUnderway
    = "Stacja %O zwalnia właśnie blokadę: pozwolenia nie można teraz dać.";

// The exit signal's button.
inline constexpr std::string_view kNoPermissionForSignal
    = "Stacja %O nie dała pozwolenia (przekaźnik Lzs stacji %O odwzbudzony): sygnał wyjazdowy "
      "stacji %S można podać dopiero po zgłoszeniu blokady i pozwoleniu.";
inline constexpr std::string_view kSignalNotCleared
    = "Sygnał wyjazdowy stacji %S nie był podany (przekaźnik Pwl stacji %S wzbudzony), nie ma "
      "czego "
      "cofać.";
inline constexpr std::string_view kPermissionUsed
    = "Przekaźnik Pwl stacji %S jest odwzbudzony: pozwolenie wykorzystał już jeden pociąg albo "
      "zwrócono je przyciskiem dPo; kolejny pociąg wymaga zwolnienia blokady i nowego pozwolenia.";
inline constexpr std::string_view kSignalAtStop = "Sygnał wyjazdowy stacji %S wskazuje już „stój”.";

// Ko at the receiving station.
inline constexpr std::string_view kTrainNotArrived
    = "Przekaźnik Z stacji %S jest odwzbudzony: pociąg nie wjechał cały na stację %S za sygnałem "
      "wjazdowym wskazującym „stój” (lampka Ko nie świeci).";
inline constexpr std::string_view kEntrySignalNotAtStop
    = "Sygnał wjazdowy stacji %S nie wskazuje „stój”: najpierw trzeba go zamknąć.";
inline constexpr std::string_view kEntrySzLit
    = "Na sygnale wjazdowym stacji %S świeci sygnał zastępczy Sz: Ko nie zadziała, dopóki świeci.";
inline constexpr std::string_view kLineNotCleared
    = "Przekaźnik Lzs stacji %S jest wciąż wzbudzony: pociąg nie zwolnił jeszcze szlaku.";

// dKo at the receiving station.
inline constexpr std::string_view kNoDirectionForDKo
    = "Stacja %O nie ma pozwolenia (przekaźnik Op stacji %O odwzbudzony): nie ma kierunku, który "
      "dKo mógłby zwolnić.";
inline constexpr std::string_view kDKoUsed
    = "Przycisk dKo na stacji %S już zadziałał (przekaźnik dKo wzbudzony).";

// dPo at the sending station.
inline constexpr std::string_view kNoPermissionToReturn
    = "Stacja %S nie ma pozwolenia (przekaźnik Op stacji %S odwzbudzony): nie ma czego zwracać "
      "przyciskiem dPo.";
inline constexpr std::string_view kPermissionAlreadyUsed
    = "Przekaźnik Pwl stacji %S jest odwzbudzony: pozwolenie zostało już wykorzystane (sygnał "
      "wyjazdowy był podany) albo zwrócone.";

// The train's arrow buttons.
inline constexpr std::string_view kTrainAlreadyRunning = "Pociąg ze stacji %S jest już w drodze.";
inline constexpr std::string_view kOwnTrainRunning
    = "Jedzie pociąg ze stacji %S: pociąg ze stacji %O ruszy dopiero, gdy tamten dojedzie.";

// Sz: a substitute signal that would let trains meet shows the mishap panel
// instead; while the panel is shown already, the press changes nothing.
inline constexpr std::string_view kSzOwnEntrySz
    = "Na sygnale wjazdowym stacji %S świeci sygnał zastępczy: pociąg może wjeżdżać z przeciwka.";
inline constexpr std::string_view kSzOtherExitSz
    = "Na sygnale wyjazdowym stacji %O świeci sygnał zastępczy: pociąg może jechać z przeciwka.";
inline constexpr std::string_view kSzOwnEntryCleared
    = "Sygnał wjazdowy stacji %S jest podany: pociąg może wjeżdżać z przeciwka.";
inline constexpr std::string_view kSzOtherExitCleared
    = "Sygnał wyjazdowy stacji %O jest podany: pociąg może jechać z przeciwka.";
inline constexpr std::string_view kSzOtherTrainRunning
    = "Jedzie pociąg ze stacji %O: sygnał zastępczy dla jazdy w przeciwną stronę jest zabroniony.";
inline constexpr std::string_view kSzOwnExitCleared = "Sygnał wyjazdowy stacji %S jest podany.";
inline constexpr std::string_view kSzOwnExitSz
    = "Na sygnale wyjazdowym stacji %S świeci sygnał zastępczy: pociąg stacji %S może wyjechać na "
      "szlak.";
inline constexpr std::string_view kSzOwnTrainRunning
    = "Jedzie pociąg ze stacji %S: pociąg z przeciwka nie może wjeżdżać na sygnał zastępczy.";
inline constexpr std::string_view kSzOtherEntryCleared
    = "Sygnał wjazdowy stacji %O jest podany: pociąg stacji %S może tam jechać.";

} // namespace kyt::reason
