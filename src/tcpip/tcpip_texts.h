// Every text the TCP/IP dialog and its command show.
#pragma once

constexpr char kTcpIpDialogTemplate[] = "IDD_SET_TCPIP";
constexpr char kConfirmChangeText[] = "設定を変更します。\nよろしいですか？";
constexpr char kTcpIpFailedText[] = "設定を適応できませんでした。";
constexpr char kUnknownAdapterText[] = "unknown";
