#pragma once

namespace glyphbox::ui {

// The four windows of the program, by the names they are reached by.
inline constexpr char kMainWindow[] = "main";
inline constexpr char kThinkingForm[] = "ThinkingForm";
inline constexpr char kSplashForm[] = "SplashForm";
inline constexpr char kAboutForm[] = "AboutForm";

} // namespace glyphbox::ui
