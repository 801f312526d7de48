#pragma once
// The narration texts of the block procedures, exactly as the desk shows them.

namespace kyt::text {

inline constexpr const char* kTextWithdrawA
    = "Po użyciu przycisku oWbl wzbudza się przekaźnik oWbl. W konsekwencjizadziałania "
      "oWbl kolejno przechodzą do stanu zasadniczego przekaźniki Wbl,Nc na stacji A i "
      "Ic na stacji B";

inline constexpr const char* kTextEnableA
    = "Wzbudza się przekaźnik Wbl. Wzbudzenie przekaźnika Wbl powoduje wzbudzenie się "
      "przekaźnika  Nc. Na linię wysyłane jestnapięcie przemienne. Na pulpicie stacji "
      "\"A\" miga biała strzałka\"Wyjazd\". Na stacji \"B\" wzbudza się przekaźnik Ic. "
      "Dzwoni dzwonek imiga biała strzałka \"Przyjazd\" ";

inline constexpr const char* kTextBasicState
    = "Stan zasadniczy. Przekaźniki Dp wzbudzone bezprądowo";

inline constexpr const char* kTextBeginReleaseAB
    = "Używając przez wyciągnięcie przycisku Wbl powodujemy wzbudzenie przek. oWbl. "
      "Skutkiem czego jest odwzbudzenie przekaźnika Op oraz wzbudzenie przek. Nc. Na "
      "linię wysyłane jest napięcie przemienne. Na obu pulpitachmigają białe strzałki "
      "zwalnianego kierunku.Na stacji B wyciągnąć przycisk Wbl";

inline constexpr const char* kTextConfirmReleaseAB
    = "Na stacji B wyciągając przycisk Wbl powodujemy wzbudzenie przek. oWbl,  który "
      "spowoduje wzbudzenie przek. Zwbl. Wzbudzony Zwbl spowoduje zmianę polaryzacji "
      "wysyłanego prądu stałego. Przekaźniki Pwl oraz Lzs zostają odwzbudzone. Przek. "
      "Pwl przerywa obwód przekaźnika Nc. Przekaźniki Nc i Ic odwzbudzają się. Teraz "
      "następuje końcowa faza zwalniania blokady.  ";

inline constexpr const char* kTextFinalPhaseAB
    = "Następuje końcowa faza zwalniania blokady. Z układu RC na stacji B wzbudza się "
      "przekaźnik Nc, który włącza napięcie przemienne na linię. Na stacji A wzbudza "
      "się przek. Ic oraz Zp.";

inline constexpr const char* kTextFinalPhaseKoAB
    = "Wzbudzony przekaźnik Zp powoduje odwzbudzenie przekaźnika Op";

inline constexpr const char* kTextRcDischargeAB
    = " Po rozładowaniu się układu RC Nc odwzbudzi się. Ic na stacji A również ulega "
      "odwzbudzeniu.Na stacji A ponownie wzbudza się przekaźnik Nc powodując "
      "wzbudzenie Ic na stacji B. Wzbudzony Ic powoduje wzbudzenie Dp, a ten przerywa "
      "wysyłanie prądu stałego  odwzbudzając Zp.";

inline constexpr const char* kTextGrantAB
    = "Na stacji \"B\" wzbudza się przek. Poz i podtrzymuje się na własnym zestyku. "
      "Powoduje to odwzbudzenie prz. Dp oraz wysłanie do stacji A napięcia stałego. "
      "Nastąpiło wzbudzenie dwóch szeregowo połączonych przekaźników: Pwl na stacji "
      "\"A\" i \"Lzs\" na stacji \"B\". Na stacji \"A\" wzbudzony przek. Pwl powoduje "
      "wzbudzenie prz. Op.(zmiany po naciśnięciu przycisku \"DALEJ\"). Wzbudzony "
      "przek. Op powoduje odwzbudzenie przek. Wbl oraz Nc. Odwzbudzony przekaźnik Wbl "
      "przerywa obwód zasilania przekaźnika Op  Na linii zostaje odcięte napięcie "
      "przemienne. Przekaźnik Ic na stacji \"B\" odwzbudzi się. Powoduje to "
      "odwzbudzenie prz. Poz.. Na stacji \"B\" świeci strzałka \"Przyjazd\" a na "
      "stacji \"A\" strzałka \"Wyjazd\". Dzwonek został wyłączony. ";

inline constexpr const char* kTextSettleAB
    = "Po ustawieniu kierunku na stacji a jest wzbudzony przekaźnik Pwl oraz oraz "
      "wzbudzone są w stanie bezprądowym przekaźniki Dp i Op. Na stacji \"B\" "
      "wzbudzony jest przekaźnik Lzs. Blokada została ustawiona.";

} // namespace kyt::text
