#pragma once
// Names of the generated pictures and sounds embedded as Qt resources (":/img/...", ":/snd/...").
// resources/generator draws every one of them at build time.
namespace Risorse {
// Deck sheets.
inline constexpr const char* Fronti = ":/img/fronti.bmp";             // 600 x 2256, 8 bpp: 6 styles x 4 rows x 10 faces of 60 x 94
inline constexpr const char* Bordi = ":/img/bordi.bmp";               // 480 x 120: 6 frames of 80 x 120
inline constexpr const char* Retro = ":/img/retro.bmp";               // 1380 x 94: 23 back faces of 60 x 94
inline constexpr const char* CifrePunteggi = ":/img/cifre_punteggi.bmp";          // 321 x 24: digits 0-9, 32 x 24 each
inline constexpr const char* CifrePunteggiSel = ":/img/cifre_punteggi_sel.bmp";   // 640 x 396
inline constexpr const char* CifrePiccole = ":/img/cifre_piccole.bmp";            // 241 x 18: digits 0-9, 24 wide (VelCarte3)
// Built-in 192 x 128, 16-colour background of the picture button (styles 5 and 6).
inline constexpr const char* SfondoBottone = ":/img/sfondo_bottone.bmp";
// Window backgrounds (800 x 600; the chooser's is 800 x 599).
inline constexpr const char* SfondoSplash = ":/img/splash_sfondo.bmp";
inline constexpr const char* SfondoConfig = ":/img/sfondo_config.bmp";
inline constexpr const char* SfondoPunteggi = ":/img/sfondo_punteggi.bmp";
inline constexpr const char* SfondoRete = ":/img/sfondo_rete.bmp";  // 720 x 500
inline constexpr const char* SfondoTavolo = ":/img/sfondo_tavolo.bmp";
// Turn pictures, 145 x 201.
inline constexpr const char* TurnoComputer = ":/img/turno_computer.bmp";
inline constexpr const char* TurnoGiocatore = ":/img/turno_giocatore.bmp";
// Advertisement: the poster that fills the 760 x 518 panel, and the download strip's
// 20 x 20 lights (red while working, green when done).
inline constexpr const char* LocandinaPubblicita = ":/img/pubblicita_locandina.bmp";
inline constexpr const char* LuceRossa = ":/img/luce_rossa.bmp";
inline constexpr const char* LuceVerde = ":/img/luce_verde.bmp";
// The windows' icon, 128 x 128 PNG with transparency (the menu's icon, drawn the same way).
inline constexpr const char* Icona = ":/img/icona.png";
}  // namespace Risorse

// Chooser buttons, 600 x 86: ":/img/splash_<nome>_normale.bmp" and "_attivo.bmp" with
// <nome> one of briscola, scopa, rubamazzo, settemezzo, rete, chiudi.
// Table and dialog buttons, 145 x 38: ":/img/btn_<nome>_normale.bmp", "_attivo.bmp" and
// "_disabilitato.bmp" with <nome> one of nuovapartita, configurazione, punteggi, chiudi, ok,
// nuovacarta, stop, nuovoturno, prendi, altra.
// Advertisement close strip, 145 x 16: ":/img/chiudipubblicita_normale.bmp", "_attivo.bmp".
// Sounds (RIFF WAVE): ":/snd/wellcome.wav" (IMA ADPCM, 22 050 Hz mono), ":/snd/mescola.wav",
// ":/snd/giocacarta.wav", ":/snd/scopa.wav", ":/snd/vittoria.wav", ":/snd/perdita.wav" (PCM).
