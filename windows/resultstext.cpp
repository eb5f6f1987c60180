#include "windows/resultstext.h"

#include <QStringList>

namespace qrv {

namespace {

// Each line: a caption control followed by its value controls. A caption that starts with
// '=' is fixed text rather than a control.
using Line = std::initializer_list<const char*>;

const Line kLines[] = {
    {"Label3", "LabR"},
    {"Label12", "labTmag"},
    {"Label5", "labT"},
    {"Label4", "labP"},
    {"=Source of thermodynamic data:", "labEx"},
    {"=Method of finding equilibrium state:", "labPe"},
    {"=Equilibrium and Final States:", "=Equilibrium", "=Final (Adiab)", "=Final (Iso)"},
    {"Label2", "labES(0)", "labFSA(0)", "labFSI(0)"},
    {"Label6", "labES(1)", "labFSA(1)", "labFSI(1)"},
    {"Label7", "labES(2)", "labFSA(2)", "labFSI(2)"},
    {"Label8", "labES(3)", "labFSA(3)", "labFSI(3)"},
    {"Label9", "labES(4)"},
    {"=Adiabatic Results:", "labRes(1)"},
    {"Label10(0)", "labEffa"},
    {"Label10(1)", "labXa"},
    {"Label10(2)", "labXaw"},
    {"=Error:", "labErr2"},
    {"=Isothermal Results:", "labRes(2)"},
    {"Label11(0)", "labEffi"},
    {"Label11(1)", "labXi"},
    {"Label11(2)", "labXiw"},
    {"=Error:", "labErr1"},
};

std::optional<QString> cell(const char* name, const ShownCaption& caption)
{
    if (name[0] == '=')
        return QString::fromLatin1(name + 1);
    return caption(QLatin1String(name));
}

} // namespace

QString resultsWindowText(const ShownCaption& caption)
{
    QStringList lines;
    for (const Line& line : kLines) {
        QStringList cells;
        for (const char* name : line) {
            const std::optional<QString> text = cell(name, caption);
            if (!text)
                break;
            cells.append(text->trimmed());
        }
        // A line with a hidden control (an error mark that is not shown) is left out whole.
        if (cells.size() != qsizetype(line.size()))
            continue;
        // The engine rewrites some row captions without their colon ("Water Fraction").
        if (!cells.front().endsWith(QLatin1Char(':')))
            cells.front().append(QLatin1Char(':'));
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace qrv
