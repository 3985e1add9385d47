// Every text the application shell shows, exactly as the user sees it.
#pragma once

constexpr char kMainWindowClassName[] = "Tessaly";
constexpr char kMainWindowTitle[] = "Tessaly ネットワーク設定切替ツール";
constexpr char kInstanceMutexName[] = "Halvard";
constexpr char kSettingsFilePath[] = ".\\tessaly.ini";
constexpr char kBackgroundPicturePath[] = ".\\bgpict.bmp";

constexpr char kVersionGateText[] = "OSのバージョンが古いです。\nWindows2000/XPでのみ使用できます。";
constexpr char kFirstRunOfferText[] = "ショートカットをデスクトップに作成します。";
constexpr char kFirstRunOfferTitle[] = "ショートカット作成";
constexpr char kSettingsNoteText[] = "実装する事無いです。";
constexpr char kSettingsNoteTitle[] = "設定";

// A second start that the running Tessaly cannot take.
constexpr char kRunningBusyText[] = "Tessaly は別の操作の途中です。終わってからもう一度実行してください。";
constexpr char kRunningElsewhereBefore[] = "Tessaly は別のフォルダ「";
constexpr char kRunningElsewhereAfter[] = "」で実行中です。\nこのフォルダの設定を使うには、実行中の Tessaly を終了してからもう一度実行してください。";
constexpr char kRunningSilentText[] = "実行中の Tessaly が応答しません。";
// The shell took no icon for the notification area.
constexpr char kNoNotificationAreaText[] = "通知領域にアイコンを表示できませんでした。";
