#include "strips/airlines.h"

namespace tarvos {

const DefaultFile &airlinesFile() {
    static const DefaultFile file{
        QStringLiteral("airlines.txt"),
        {
            QStringLiteral("amc Air_Malta AMC"),   QStringLiteral("aza Alitalia AZA"),
            QStringLiteral("baw Speedbird BAW"),   QStringLiteral("ber Air Berlin BER"),
            QStringLiteral("cal Cardinal CAL"),    QStringLiteral("cfg Condor CFG"),
            QStringLiteral("dlh Lufthansa DLH"),   QStringLiteral("efp Eurofly EFP"),
            QStringLiteral("ein Shamrock EIN"),    QStringLiteral("eua Europa  EUA"),
            QStringLiteral("ewg Eurowings EWG"),   QStringLiteral("flw Flywings FLW"),
            QStringLiteral("gal Germ Airl. GAL"),  QStringLiteral("gew Blueflight GEW"),
            QStringLiteral("gwg Ger.Airwing GWG"), QStringLiteral("gxp Global_Expr GXP"),
            QStringLiteral("lha Leipzig Air LHA"), QStringLiteral("mah Malev MAH"),
            QStringLiteral("nbl Noble NBL"),       QStringLiteral("say Swiss SAY"),
            QStringLiteral("swr Swissair SWR"),    QStringLiteral("tff Friendship TFF"),
            QStringLiteral("tha Thai THA"),        QStringLiteral("thy Türkisch THY"),
            QStringLiteral("woh HOLIDAY WOH"),
        },
        QStringLiteral("The file airlines.txt has been created. You can now edit this file, if "
                       "you like. Now press OK and continue!")};
    return file;
}

} // namespace tarvos
