#include "app/Finestre.h"

#include <QApplication>

#include "ads/THttpTestForm.h"
#include "app/TFormConfig.h"
#include "app/TFormRete.h"
#include "app/TFormSplashScreen.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "scores/TFormPunteggi.h"

TFormSplashScreen* FormSplashScreen = nullptr;
TFormConfig* FormConfig = nullptr;
TFormScopa* FormScopa = nullptr;
TFormAlternative* FormAlternative = nullptr;
TFormPunteggi* FormPunteggi = nullptr;
TFormBriscola* FormBriscola = nullptr;
TFormRubamazzo* FormRubamazzo = nullptr;
TFormSettemezzo* FormSettemezzo = nullptr;
THttpTestForm* HttpTestForm = nullptr;
TFormRete* FormRete = nullptr;

void CreaFinestre()
{
    FormSplashScreen = new TFormSplashScreen;
    FormConfig = new TFormConfig;
    FormScopa = new TFormScopa;
    FormAlternative = new TFormAlternative;
    FormPunteggi = new TFormPunteggi;
    FormBriscola = new TFormBriscola;
    FormRubamazzo = new TFormRubamazzo;
    FormSettemezzo = new TFormSettemezzo;
    HttpTestForm = new THttpTestForm;
}

void DistruggiFinestre()
{
    // Reverse order; each pointer is cleared before the window goes so no handler running
    // during destruction reaches a window that is half gone.
    auto via = [](auto*& w) {
        auto* x = w;
        w = nullptr;
        delete x;
    };
    via(FormRete);
    via(HttpTestForm);
    via(FormSettemezzo);
    via(FormRubamazzo);
    via(FormBriscola);
    via(FormPunteggi);
    via(FormAlternative);
    via(FormScopa);
    via(FormConfig);
    via(FormSplashScreen);
}

void CreaFormRete()
{
    if (!FormRete) FormRete = new TFormRete;
}

void ApriFinestra(int codice)
{
    if (FormSplashScreen) FormSplashScreen->ApriFinestra(codice);
}

void TornaIndietro()
{
    if (FormSplashScreen) FormSplashScreen->TornaIndietro();
}
