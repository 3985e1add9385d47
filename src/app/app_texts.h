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
