// The window's help pages (ヘルプ → 使い方, このプログラムについて), as rich text.
#pragma once

#include <QString>

namespace app {

QString helpPageHtml();
QString aboutPageHtml();

}  // namespace app
