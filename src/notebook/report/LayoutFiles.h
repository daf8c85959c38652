#pragma once
// Where the report layouts live and what each is called. One layout per report, font size
// and line spacing, in the Report folder beside the program:
//   "s" + size + "p" + report + ".rpt"   close line spacing (詰める)
//   "s" + size + "p" + report + "b.rpt"  open line spacing (空ける)
// size is the font size entry in whole points, two digits: 9 gives "09", 12 gives "12". A
// half-point size shares the layout of the whole size below it (10.5 uses "s10…"): its
// lines are a little taller, which the layouts' line height leaves room for.

#include <QString>

namespace notebook::report {

// The reports of the print form.
enum class Report { DistanceCorrection = 1, DistanceHeight = 2, ObservationNotebook = 3 };

// The two-digit size part of a layout name: whole points of the size, from 1 to 99.
QString SizeDigits(double fontSize);

// The file name of a layout, without a folder.
QString LayoutFileName(double fontSize, Report report, bool openSpacing);

// The Report folder: the one the environment variable TREVANTO_REPORT_DIR names when it is
// set (a site's own layouts, a test's), else beside the program when it is there (an
// installed program), else the one of the source tree the program was built from. Ends in "/".
QString LayoutFolder();

// The full path of a layout in LayoutFolder().
QString LayoutPath(double fontSize, Report report, bool openSpacing);

// What the user is told when a layout is missing.
QString MissingLayoutMessage(const QString& path);

}  // namespace notebook::report
