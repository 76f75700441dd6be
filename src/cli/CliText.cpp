#include "CliText.h"

#include "platform/Texts.h"

#include <algorithm>
#include <array>

namespace kelvara {

namespace {

struct Pair {
    const char* en;
    const char* ja;
};

// In the order of CliText::Id.
constexpr std::array<Pair, CliText::ID_COUNT> TABLE{{
    {"no lens adapter found; plug in the dock or name its port with --port",
     "レンズアダプターが見つかりません。ドックを接続するか、--port でポートを指定してください"},
    {"Port %1", "ポート %1"},
    {"USB id %1:%2", "USB ID %1:%2"},
    {"latency timer %1 ms", "レイテンシタイマー %1 ms"},
    {"owner %1, group %2, mode %3", "所有者 %1、グループ %2、モード %3"},
    {"this user can open it", "このユーザーで開けます"},
    {"this user cannot open it", "このユーザーでは開けません"},
    {"held open by %1", "使用中のプログラム: %1"},
    {"some processes could not be inspected", "一部のプロセスは確認できませんでした"},
    {"udev rule: %1", "udev ルール: %1"},
    {"udev rule: not installed", "udev ルール: インストールされていません"},
    {"User %1, groups: %2", "ユーザー %1、グループ: %2"},
    {"Update server %1: %2", "更新サーバー %1: %2"},
    {"reachable", "接続できます"},
    {"the update server %1 cannot be reached (%2)", "更新サーバー %1 に接続できません（%2）"},
    {"no answer within %1 s", "%1 秒以内に応答がありませんでした"},
    {"check the network connection, or name the server with --server",
     "ネットワーク接続を確認するか、--server でサーバーを指定してください"},
    {"no lens adapter found", "レンズアダプターが見つかりません"},
    {"plug in the dock, or name its port with --port",
     "ドックを接続するか、--port でポートを指定してください"},
    {"Problems:", "問題:"},
    {"No problems found.", "問題は見つかりませんでした。"},
    {"the lens did not answer in time", "レンズから時間内に応答がありませんでした"},
    {"the lens was removed", "レンズが取り外されました"},
    {"the lens asks for a firmware update (safe mode); install it with: kelvara-lens-cli update",
     "レンズがファームウェアのアップデートを要求しています（セーフモード）。"
     "kelvara-lens-cli update でアップデートしてください"},
    {"not confirmed: answer y on a terminal or add --yes",
     "確認されませんでした。端末で y と答えるか、--yes を付けてください"},
    {"cancelled", "中止しました"},
    {"yes", "はい"},
    {"[y/N] ", "[y/N] "},
    {"Product", "製品名"},
    {"Model", "モデル"},
    {"Mount", "マウント"},
    {"Custom buttons", "カスタムボタン数"},
    {"Custom switch positions", "カスタムスイッチのポジション数"},
    {"Settings", "設定項目"},
    {"Functions", "割り当てできる機能"},
    {"AF limit positions", "AFリミット位置"},
    {"the firmware check did not finish", "ファームウェアの確認が終わりませんでした"},
    {"up to date", "最新です"},
    {"unknown setting %1; see --help", "不明な設定項目です: %1（--help を参照）"},
    {"%1 is not a valid value for %2; see --help",
     "%1 は %2 の値として使えません（--help を参照）"},
    {"this lens has no %1", "このレンズには %1 がありません"},
    {"function %1 cannot be assigned on this lens; choose one of: %2",
     "このレンズでは機能 %1 を割り当てられません。選べる機能: %2"},
    {"%1 must be between %2 and %3", "%1 は %2 から %3 の範囲で指定してください"},
    {"%1 needs a preset-time function (22 to 25) on %2; it has function %3",
     "%1 には %2 にプリセット時間の機能（22〜25）が必要です。現在の機能: %3"},
    {"the focus speed cannot be written to the lens; info shows it",
     "フォーカス速度はレンズに書き込めません（info で表示のみできます）"},
    {"%1 needs near < far, each between 0 and %2",
     "%1 は近側 < 遠側、それぞれ 0 から %2 の範囲で指定してください"},
    {"the far end of %1 is fixed at position %2 on this lens",
     "このレンズでは %1 の遠側は位置 %2 に固定されています"},
    {"%1 is already %2; nothing sent", "%1 はすでに %2 です。何も送信しませんでした"},
    {"%1 set to %2", "%1 を %2 に設定しました"},
    {"the lens did not accept the change", "レンズが変更を受け付けませんでした"},
    {"Backup of the previous settings: %1", "変更前の設定のバックアップ: %1"},
    {"no backup of the previous settings could be written",
     "変更前の設定のバックアップを書き込めませんでした"},
    {"Backup directory: %1", "バックアップの保存先: %1"},
    {"no backups yet", "バックアップはまだありません"},
    {"Kelvara Lens Utility %1, newest on the server: %2",
     "Kelvara Lens Utility %1、サーバーの最新版: %2"},
    {"no lens adapter found: lens firmware not checked",
     "レンズアダプターが見つからないため、レンズのファームウェアは確認していません"},
    {"the update server names no version", "更新サーバーにバージョンの情報がありません"},
    {"updating firmware: %1%", "ファームウェアを更新中: %1%"},
    {"before an import", "読み込みの前"},
    {"before a reset", "リセットの前"},
    {"before a firmware update", "ファームウェアアップデートの前"},
    {"reason not recorded", "理由の記録なし"},
    {"waiting for the lens to restart", "レンズの再起動を待っています"},
    {"stopping now would leave the lens asking for firmware; the update goes on to its end, "
     "about %1 s more",
     "今停止するとレンズがファームウェアを要求する状態になるため、アップデートを最後まで続けます"
     "（残り約 %1 秒）"},
    {"stopping now would leave the lens asking for firmware; the update goes on to its end, "
     "usually within a minute",
     "今停止するとレンズがファームウェアを要求する状態になるため、アップデートを最後まで続けます"
     "（通常 1 分以内に終わります）"},
    {"stopping now would leave the lens's settings half written; the write goes on to its end, "
     "about a second",
     "今停止するとレンズの設定が書きかけになるため、書き込みを最後まで続けます（1 秒ほど）"},
    {"(the answer covers all %1 lenses)", "（この答えは %1 本すべてのレンズに適用されます）"},
    {"failed on %1", "失敗したポート: %1"},
    {"cannot create the folder %1", "フォルダー %1 を作成できません"},
    {"lens", "レンズ"},
    {"file", "ファイル"},
    {"the settings are alike", "設定は同じです"},
    {"%1: copied (version %2)", "%1: コピーしました（バージョン %2）"},
    {"%1: catalogue and firmware %2 copied", "%1: カタログとファームウェア %2 をコピーしました"},
    {"%1: the update server did not answer (%2)", "%1: 更新サーバーから応答がありません（%2）"},
    {"%1: not on the update server (%2)", "%1: 更新サーバーにありません（%2）"},
    {"%1: not a catalogue, or it names no usable firmware package",
     "%1: カタログではないか、使用できるファームウェアパッケージが記載されていません"},
    {"%1: the firmware package does not decode with its catalogue's key; not kept",
     "%1: ファームウェアパッケージをカタログの鍵で復号できないため、保存しませんでした"},
    {"%1: cannot write %2 (%3)", "%1: %2 を書き込めません（%3）"},
    {"Offline copy in %1; use it with --server %2",
     "オフライン用のコピーを %1 に作成しました。--server %2 で使用できます"},
    {"Window logs: %1", "ウィンドウのログ: %1"},
}};

// A missing entry would leave a text empty.
static_assert(std::all_of(TABLE.begin(), TABLE.end(),
                          [](const Pair& p) { return p.en != nullptr && p.ja != nullptr; }));

} // namespace

QString CliText::text(Id id) {
    const Pair& pair = TABLE[std::size_t(id)];
    return QString::fromUtf8(Texts::currentLanguage() == QLatin1String("ja") ? pair.ja : pair.en);
}

} // namespace kelvara
