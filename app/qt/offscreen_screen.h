// The offscreen platform with a screen of a given size: its default, 800 x 600, would scale the
// taller windows down to fit. For the widget tests and the screenshots, which show the windows
// at their design size.
#pragma once

#include <QSize>
#include <QTemporaryFile>

#include <cstdlib>
#include <string>

namespace pile {

// Points QT_QPA_PLATFORM at the offscreen platform with one screen of `size`, described in
// `config` (which must outlive the application). Call it before the application is made.
inline void useOffscreenScreen(QTemporaryFile& config, QSize size) {
    if (!config.open()) return;
    config.write(QStringLiteral(R"({"screens":[{"name":"offscreen","x":0,"y":0,)"
                                R"("width":%1,"height":%2,"logicalDpi":96,"dpr":1}]})")
                     .arg(size.width())
                     .arg(size.height())
                     .toUtf8());
    config.flush();
    const std::string option = "offscreen:configfile=" + config.fileName().toStdString();
    setenv("QT_QPA_PLATFORM", option.c_str(), 1);
}

}  // namespace pile
