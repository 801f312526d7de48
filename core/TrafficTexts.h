#pragma once
// The narration and caption texts of the signals, the train run and the
// emergency buttons, exactly as the desk shows them.

namespace kyt::text {

inline constexpr const char* kTextSignalProceed
    = "Po podaniu semafora na \"Wolna Droga\" wzbudza się przekaźnik sygnałowy. Zestyk "
      "czynny tego przekaźnika powoduje odwzbudzenie Pwl ( poprzez zbocznikowanie jego "
      "cewki). Powoduje to wzrost napięcia stałego na przekaźniku Lzs i wzbudzenie Pwy.";

inline constexpr const char* kTextSignalStop
    = "Po wyjeździe pociągu (ustawienie semafora na sygnał \"Stój\") przekaźnik "
      "sygnałowy odwzbudzi się powodując przerwę w obwodzie prądu stałego.";

inline constexpr const char* kWire79Shorted = "żyła 79 : Zwarta";
inline constexpr const char* kWire80Shorted = "żyła 80 : Zwarta";
inline constexpr const char* kWire79Off = "żyła 79 : Brak";
inline constexpr const char* kWire80Off = "żyła 80 : Brak";

inline constexpr const char* kTextArrival
    = "Po minięciu semafora wjazdowego i wjeździe na pierwszy odcinek izolowany  wzbudza "
      "się przekaźnik W ustawiając semafor wjazdowy na sygnał \"Stój\". Po zjeździe "
      "ostatnią osią drugiego odcinka izolowanego wzbudza się przekaźnik Z. Na pulpicie "
      "zapala się biała lampka Ko. Blokada jest przygotowana do zwrotu pozwolenia.";

inline constexpr const char* kTextKo
    = "Naciśnięcie przycisku Ko powoduje wzbudzenie przekaźnika StKo a za jego "
      "pośrednictwem Zwbl. Wzbudzenie Zwbl uwarunkowane jest prawidłowym stanem "
      "urządzeń (Kc,Sz,S itd).";

inline constexpr const char* kCaptionTrainStop = "Pociąg \"STÓJ\"";
inline constexpr const char* kCaptionTrainGo = "Pociąg \"JEDŹ\"";

inline constexpr const char* kTextDKo
    = "W przypadku jazdy na Sz lub R305 należy użyć przycisku dKo. Powoduje to "
      "zbocznikowanie zestyków Kc, Kpz, Iz i podanie napięcia na przekaźnik ZPG.";

inline constexpr const char* kTextDPo
    = "Użycie przycisku dPo powoduje wzbudzenie się przekaźnika dPo który swoim zestykiem "
      "przerywa obwód przekaźnika Pwl. stwarzając w urządzeniach stan blokady analogiczny "
      "jak przy wyjeździe pociągu.";

inline constexpr const char* kTextSzEntry
    = "Przed jazdą pociągu na sygnał Sz lub R305 należy użyć przycisku dKo";

} // namespace kyt::text
