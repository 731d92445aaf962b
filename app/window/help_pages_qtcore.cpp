#include "app/window/help_pages_qtcore.h"

#include <QtGlobal>

namespace app {

QString helpPageHtml() {
    return QStringLiteral(
        "<p>日付と時刻（日本時間）を入れ、左の一覧で場所を選び（「入力」なら緯度と経度を入れます。"
        "北緯と東経が正）、方角（北・東・南・西）と表示するものを選んで「プラネタリウム」を押します。</p>"
        "<p>「間隔（分)」は 1 回に進める時間、「表示間隔（秒）」は進める間隔です。「 0」なら 1 回だけ描きます。</p>"
        "<p>星座の線は「星座」にチェックを入れ、右の一覧で星座をクリックして選びます（もう一度クリックで外れます）。"
        "夜だけ描かれます。</p>"
        "<p>「数値」は太陽・月・惑星と明るい星の高度と方位の表（「流星群」にチェックがあれば流星群の表）です。</p>"
        "<p>キー: N・E・S・W で方角を選んで描く、PageUp・PageDown で時刻を戻す・進める、"
        "Home で現在の時刻、Ctrl+S で画像を保存、Ctrl+F で天体を探す、Ctrl+K でこよみ、Ctrl+P で印刷。"
        "一覧の中では Home・End・PageUp・PageDown は一覧の中を動きます。"
        "絵の上の天体を指すと名前が下に出て、クリックすると詳しい説明が出ます。</p>"
        "<p>ファイル → 印刷… は白地の星図を A4 横 1 枚に印刷します。PDF・SVG にも書き出せます。"
        "ファイル → 動画に書き出し… は今の方角と時刻から、間隔ごとの絵を動画（MP4・GIF・WebM）や PNG の連番にします。</p>"
        "<p>表示 → 軌跡 は星が動いた跡（日周運動）を描きます。長さは 表示 → 軌跡の時間 で選びます。</p>"
        "<p>ツール → こよみ… は日の出・日の入り・月の出・月の入り・薄明・月齢を、その日と 1 か月の表で示します。"
        "月間の表は CSV に書き出せます。</p>"
        "<p>「終了」は場所を覚えて終わります。</p>");
}

QString aboutPageHtml() {
    return QStringLiteral("<p><b>プラネタリウム</b> %1</p>"
        "<p>星の位置: Yale Bright Star Catalogue 第 5 版改訂版（Hoffleit, Warren 1991、"
        "CDS 経由で公開、自由に利用できます）。</p>"
        "<p>文字: IPA P ゴシック（IPA フォントライセンス v1.0）。</p>"
        "<p>Qt %2（LGPL v3）を使っています。</p>")
        .arg(QStringLiteral(PLANETARIUM_VERSION), QString::fromLatin1(qVersion()));
}

}  // namespace app
