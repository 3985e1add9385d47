// Every text the saved-profile dialogs and their commands show.
#pragma once

constexpr char kSelectDialogTemplate[] = "IDD_DUMP_LOAD";
constexpr char kSaveDialogTemplate[] = "IDD_DUMP_SAVE";
constexpr char kRenameDialogTemplate[] = "IDD_PROFILE_RENAME";
constexpr char kRenameFailedText[] = "設定名称を変更できませんでした。";

constexpr char kAppliedText[] = "ネットワークの設定を適応しました。";
constexpr char kApplyFailedText[] = "ネットワークの設定を適応できませんでした。";
constexpr char kDeletedText[] = "ネットワークの設定を削除しました。";
constexpr char kDeleteFailedText[] = "ネットワークの設定を削除できませんでした。";
constexpr char kDeleteQuestionText[] = "削除して良いですか？";
constexpr char kNothingSelectedText[] = "選択されていません。";
constexpr char kSelectTitle[] = "設定の読込み";
// Around the name given with "/L NAME" when no profile has it.
constexpr char kNoSuchProfileBefore[] = "「";
constexpr char kNoSuchProfileAfter[] = "」という名前の設定は保存されていません。";
// Beside the name of a profile whose every setting holds now, and of one saved on the
// network the notebook is plugged into; its list item's data holds kHoldsNowMark and
// kOnItsNetworkMark (that of any other item 0).
constexpr char kHoldsNowMarkText[] = "現在";
constexpr unsigned kHoldsNowMark = 1;
constexpr char kOnItsNetworkMarkText[] = "ここ";
constexpr unsigned kOnItsNetworkMark = 2;
// Shown in place of a profile's contents, followed by the script's path.
constexpr char kUnreadableScriptText[] = "設定ファイルを読めません： ";
// Shown for a script that reads fine but names no connection.
constexpr char kNoConnectionScriptText[] = "設定ファイルに接続の設定がありません。";

constexpr char kSavedText[] = "ネットワークの設定を保存しました。";
constexpr char kSaveFailedText[] = "ネットワークの設定を保存できませんでした。";
constexpr char kCatalogFullText[] = "これ以上設定を保存できません。\n不要な設定を削除してください。";
constexpr char kEmptyNameText[] = "設定名称が入力されていません。";
constexpr char kSaveTitle[] = "設定の保存";
// Around a name already listed when it is saved again.
constexpr char kAlreadySavedBefore[] = "「";
constexpr char kAlreadySavedAfter[] = "」はすでに保存されています。\n置き換えますか？";
