// Menu texts and descriptions of the commands the shell shows.
#include "command_texts.h"

#include <QHash>

#include "shell_command_ids.h"

namespace plenwick {

namespace {

struct Texts {
  const char* menu;
  const char* description;  // status-bar text "\n" tool tip
};

// The shell's own commands.
const QHash<int, Texts>& ShellTexts() {
  static const QHash<int, Texts> texts{
      {kCmdWindowCascade, {"重ねて表示(&C)", "ウィンドウを重ねて表示します。\n重ねて表示"}},
      {kCmdWindowTile, {"並べて表示(&T)", "ウィンドウを並べて表示します。\n並べて表示"}},
      {kCmdWindowArrange, {"アイコンの整列(&A)", "アイコンを整列します。\nアイコンの整列"}},
      {kCmdAppAbout, {"バージョン情報 Plenwick(&A)...", "プログラム情報、バージョン、著作権を表示します。\nバージョン情報"}},
      {kCmdViewToolbar, {"ツール バー(&T)", "ツール バーの表示/非表示を切り替えます。\nツール バー"}},
      {kCmdViewStatusBar, {"ステータス バー(&S)", "ステータス バーの表示/非表示を切り替えます。\nステータス バー"}},
  };
  return texts;
}

// Commands of the command table.
const QHash<int, Texts>& TableTexts() {
  static const QHash<int, Texts> texts{
      {57600, {"新規作成(&N)\tCtrl+N", "新規に文書を作成します。\n新規作成"}},
      {57601, {"開く(&O)...\tCtrl+O", "既存の文書を開きます。\n開く"}},
      {57602, {"閉じる(&C)", "作業中の文書を閉じます。\n閉じる"}},
      {57603, {"上書き保存(&S)\tCtrl+S", "作業中の文書を上書きして保存します。\n上書き保存"}},
      {57604, {"名前を付けて保存(&A)...", "作業中の文書を新しい名前で保存します。\n名前を付けて保存"}},
      {57606, {"プリンタの設定(&R)...", "プリンタおよび印刷オプションを変更します。\n印刷設定"}},
      {57607, {"印刷...\tCtrl+P(&P)", "作業中の文書を印刷します。\n印刷"}},
      {57609, {"印刷プレビュー(&V)", "フル ページ表示します。\n印刷プレビュー"}},
      {57634, {"クリップボードにコピー\tCtrl+C(&C)", "図面をクリップボードにコピーします。\nコピー"}},
      {57643, {"元に戻す(&U)\tCtrl+Z", "直前に行った操作を元に戻します。\n元に戻す"}},
      {57665, {"アプリケーションの終了(&X)", "アプリケーションを終了し、文書の保存を指示します。\n終了"}},
      {32789, {"ＤＸＦファイルを開く...", ""}},
      {32790, {"ＪＷＣファイルを開く...", ""}},
      {32792, {"ＪＷＷファイルを開く...", ""}},
      {32795, {"ＪＷＷ形式で保存...", ""}},
      {32899, {"ＤＸＦ形式で保存...", ""}},
      {32796, {"EMF形式で保存...", ""}},
      {32797, {"画像で保存...", ""}},
      {32798, {"HPGL形式で保存...", ""}},
      {32799, {"プロッター出力...\tAlt+P", ""}},
      {32800, {"プロッターの設定...", ""}},
      {32869, {"初期値設定...", ""}},
      {32870, {"作図パレット(&D)", ""}},
      {32871, {"部品データ", ""}},
      {32872, {"レイヤーリスト(&L)", ""}},
      {32782, {"レイヤーの追加...", ""}},
      {32785, {"プロパティ(&P)...", ""}},
      {32776, {"■ 通常色表示", ""}},
      {32778, {"□ オフカラー表示", ""}},
      {32780, {"＿ 表示しない", ""}},
      {32890, {"作図要素リスト", ""}},
      {32894, {"図面情報...", "図面情報を表示します。\n図面情報"}},
      {32873, {"再表示(&R)", "作図画面を再表示します。\n再表示"}},
      {32874, {"基準画面に戻る(&B)", "基準サイズで図形要素を表示します。\n基準サイズに戻す"}},
      {32875, {"全体表示(&A)", "図面全体が表示できるように調整します\nパン処理"}},
      {32876, {"グリッド表示(&G)", "グリッドの表示/非表示を行います。\nグリッド表示"}},
      {32877, {"作図範囲表示(&D)", "作図範囲を表示します。\n作図範囲表示"}},
      {32878, {"原点マーク表示", "X:0 Y:0 の原点マークを表示します。\n原点マーク"}},
      {32879, {"マグネット機能(&M)", "既存の図形要素に引きつけます。\nマグネット"}},
      {32880, {"拡大(&+)\tPageUp", "10% 幅で図面を拡大する。\n拡大"}},
      {32881, {"縮小(&-)\tPageDown", "10% 幅で図面を縮小する。\n縮小"}},
      {32882, {"範囲拡大(&Z)", "指定範囲を拡大表示します。\n拡大表示"}},
      {32896, {"ハンド移動", "図面の一部をつかんでドラッグさせて移動します。\nハンド移動"}},
      {32897, {"中心移動", "指示したポイントを画面中心に移動します。\n中心移動"}},
      {32898, {"距離表示", "直線などの作図時に距離を表示します。\n距離表示"}},
      {32889, {"", "グリッドバーのピッチをグリッドに設定します。\nグリッドピッチ設定"}},
  };
  return texts;
}

const Texts* Find(int id) {
  if (auto it = ShellTexts().find(id); it != ShellTexts().end()) return &*it;
  if (auto it = TableTexts().find(id); it != TableTexts().end()) return &*it;
  return nullptr;
}

}  // namespace

QString MnemonicBeforeKey(const QString& text) {
  const qsizetype tab = text.indexOf('\t');
  if (tab < 0) return text;
  QString key = text.mid(tab + 1);
  QString item = text.left(tab);
  const qsizetype amp = key.indexOf("(&");
  if (amp >= 0 && key.endsWith(')')) {
    item += key.mid(amp);
    key = key.left(amp);
  }
  return item + '\t' + key;
}

QString CommandMenuText(int id) {
  const Texts* t = Find(id);
  return t ? MnemonicBeforeKey(QString::fromUtf8(t->menu)) : QString();
}

QString CommandStatusTip(int id) {
  const Texts* t = Find(id);
  return t ? QString::fromUtf8(t->description).section('\n', 0, 0) : QString();
}

QString CommandToolTip(int id) {
  const Texts* t = Find(id);
  if (!t) return {};
  const QString d = QString::fromUtf8(t->description);
  return d.contains('\n') ? d.section('\n', 1) : d;
}

}  // namespace plenwick
