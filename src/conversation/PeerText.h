#pragma once

#include <QString>
#include <QStringView>

// Text from a peer as a console shows it: every character stays visible and none of them
// changes the layout. Control characters become their pictures from the Control Pictures
// block (U+2400..), C1 controls and the object replacement character (which would pose as a
// picture of ours) become U+FFFD. With keepLineBreaks, CR LF, CR, LF and the Unicode line
// and paragraph separators become one "\n" each; without, they are shown as pictures too.
QString ConsoleVisibleText(QStringView text, bool keepLineBreaks);
