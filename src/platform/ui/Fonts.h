#pragma once

namespace platform {

// Registers the IPA fonts as the stand-ins for the Japanese font names the forms and
// report layouts ask for ("ＭＳ ゴシック", "ＭＳ 明朝" and their kin), which fontconfig
// does not alias.
void RegisterJapaneseFontSubstitutes();

}  // namespace platform
