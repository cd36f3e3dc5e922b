#include <glyphbox/assets.h>

#include <QString>

namespace glyphbox::assets {

QPixmap splashPicture() { return QPixmap(QLatin1String(kSplashPath)); }
QPixmap thinkingPicture() { return QPixmap(QLatin1String(kThinkingPath)); }
QPixmap aboutPicture() { return QPixmap(QLatin1String(kAboutPath)); }
QIcon applicationIcon() { return QIcon(QLatin1String(kIconPath)); }

} // namespace glyphbox::assets
