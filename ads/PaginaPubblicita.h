#pragma once
// The advertisement page: a fixed HTML page that embeds the movie "Pubblicita.swf" in a
// 700 x 480 box. The chooser writes it into the folder that stands for "c:\" at every start.
#include <QByteArray>
#include <QString>

class THttpTestForm;

// The twelve lines of the page, each ending in CR LF.
QByteArray TestoPaginaPubblicita();

// Writes the page as "pubblicita.htm" in `cartella` (any existing spelling of that name is
// replaced). False, logged, when it cannot be written; nothing else changes then.
bool ScriviPaginaPubblicita(const QString& cartella);

// The chooser's advertisement step: writes the page, then shows the download strip modally
// (it returns at once when no update server is configured).
void PreparaPubblicita(THttpTestForm* download);
