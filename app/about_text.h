#pragma once

class QTextDocument;
class QString;

namespace voltarix::app {

// The About window's rich text: the analyser's capabilities, the port
// module's capabilities, the contact block and the version line.
void writeAboutText(QTextDocument& document);

// The last line of the About text, set off by a line of 25 "^".
QString aboutVersionLine();

} // namespace voltarix::app
