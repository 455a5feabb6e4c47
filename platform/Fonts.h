#pragma once

namespace plat {
// Maps the Windows Gothic faces the screens are laid out for onto the IPA fonts. Must run
// before any widget exists, or Latin letters come out of a proportional face.
void RegisterFontSubstitutions();
}  // namespace plat
