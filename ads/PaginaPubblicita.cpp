#include "ads/PaginaPubblicita.h"

#include "ads/THttpTestForm.h"
#include "platform/CartellaPubblicita.h"

QByteArray TestoPaginaPubblicita()
{
    static const char* const righe[] = {
        "<HTML>",
        "<HEAD>",
        "<TITLE>Pubblicita</TITLE>",
        "</HEAD>",
        "<BODY bgcolor=\"#FFFFFF\">",
        "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"",
        " codebase=\"https://fpdownload.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=5,0,0,0\"",
        " WIDTH=700 HEIGHT=480>",
        " <PARAM NAME=movie VALUE=\"Pubblicita.swf\"> <PARAM NAME=quality VALUE=high> "
        "<PARAM NAME=bgcolor VALUE=#FFFFFF> <EMBED src=\"Pubblicita.swf\" quality=high bgcolor=#FFFFFF  "
        "WIDTH=700 HEIGHT=480 TYPE=\"application/x-shockwave-flash\" "
        "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\"></EMBED>",
        "</OBJECT>",
        "</BODY>",
        "</HTML>",
    };
    QByteArray pagina;
    for (const char* r : righe) {
        pagina += r;
        pagina += "\r\n";
    }
    return pagina;
}

bool ScriviPaginaPubblicita(const QString& cartella)
{
    if (cartella.isEmpty()) return false;
    return ScriviFileIntero(FileSenzaMaiuscole(cartella, "pubblicita.htm"), TestoPaginaPubblicita());
}

void PreparaPubblicita(THttpTestForm* download)
{
    ScriviPaginaPubblicita(CartellaRadice());
    if (download) download->MostraModale();
}
