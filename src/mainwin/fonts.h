// The stored font names come from the Windows fonts the settings were
// written for; they are mapped onto the Noto CJK families installed here.
#pragma once

namespace kolde_sub {

// Registers the substitutions for "ＭＳ ゴシック" and "ＭＳ Ｐゴシック".
// Safe to call any number of times.
void install_font_substitutions();

}  // namespace kolde_sub
