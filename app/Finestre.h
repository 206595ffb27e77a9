#pragma once
// The program's nine windows, created once at start-up in this order and alive until the
// end; one global instance each. Windows reach each other through these pointers.
class TFormSplashScreen;
class TFormConfig;
class TFormScopa;
class TFormAlternative;
class TFormPunteggi;
class TFormBriscola;
class TFormRubamazzo;
class TFormSettemezzo;
class THttpTestForm;
class TFormRete;

extern TFormSplashScreen* FormSplashScreen;
extern TFormConfig* FormConfig;
extern TFormScopa* FormScopa;
extern TFormAlternative* FormAlternative;
extern TFormPunteggi* FormPunteggi;
extern TFormBriscola* FormBriscola;
extern TFormRubamazzo* FormRubamazzo;
extern TFormSettemezzo* FormSettemezzo;
extern THttpTestForm* HttpTestForm;
// The network window is made at its first use (CreaFormRete) and goes with the others.
extern TFormRete* FormRete;

// Window codes of the navigation stack (4 is not used).
enum CodiceFinestra {
    FinestraChooser = 1,
    FinestraBriscola = 2,
    FinestraConfig = 3,
    FinestraPunteggi = 5,
    FinestraRubamazzo = 6,
    FinestraScopa = 7,
    FinestraSettemezzo = 8,
    FinestraRete = 9,
};

// Creates the nine windows in order (the chooser first: it is the main window).
void CreaFinestre();
// Destroys them in reverse order (tests create and destroy the set repeatedly).
void DistruggiFinestre();
// Creates the network window unless it exists.
void CreaFormRete();

// Navigation, operations of the main window: hide the top window and show `codice`;
// hide the top window and show the one below.
void ApriFinestra(int codice);
void TornaIndietro();
