#pragma once

#include <QIcon>
#include <QPixmap>

namespace glyphbox::assets {

// The pictures and the icon, embedded in the program.
[[nodiscard]] QPixmap splashPicture();   // 291 x 251
[[nodiscard]] QPixmap thinkingPicture(); // 214 x 214
[[nodiscard]] QPixmap aboutPicture();    // 458 x 257
[[nodiscard]] QIcon applicationIcon();   // 48 x 48, transparent outside its disc

// Resource paths, for tests that inspect the images themselves.
inline constexpr char kSplashPath[] = ":/glyphbox/splash.png";
inline constexpr char kThinkingPath[] = ":/glyphbox/thinking.png";
inline constexpr char kAboutPath[] = ":/glyphbox/about.png";
inline constexpr char kIconPath[] = ":/glyphbox/glyphbox.png";

} // namespace glyphbox::assets
