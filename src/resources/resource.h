// Resource ids, grouped by hundreds per window. Included by C++ sources and by the .rc file.
#pragma once

// Buttons shared by every dialog.
#define IDC_OK_BUTTON 101
#define IDC_CANCEL_BUTTON 102

// Profile selection dialog "IDD_DUMP_LOAD".
#define IDC_PROFILE_LIST 100
#define IDC_PROFILE_LIST_LABEL 103
#define IDC_PROFILE_DELETE 104
#define IDC_PROFILE_PREVIEW 105
#define IDC_PROFILE_RENAME 106
#define IDC_PROFILE_SHORTCUT 107

// Profile save dialog "IDD_DUMP_SAVE".
#define IDC_SAVE_NAME_EDIT 200
#define IDC_SAVE_INTRO_LABEL 203
#define IDC_SAVE_NAME_LABEL 204
#define IDC_SAVE_HINT_LABEL 205
#define IDC_SAVE_LIST_NOTE_LABEL 206
#define IDC_SAVE_PROXY_CHECK 207
#define IDC_SAVE_PRINTER_CHECK 208
#define IDC_SAVE_AUTO_SWITCH_CHECK 209

// Profile rename dialog "IDD_PROFILE_RENAME".
#define IDC_RENAME_NAME_EDIT 700
#define IDC_RENAME_NAME_LABEL 701

// Version dialog "IDD_VERSION".
#define IDC_VERSION_PRODUCT 300
#define IDC_VERSION_AUTHOR 301
#define IDC_VERSION_CREDIT 302
#define IDC_VERSION_HOMEPAGE 303

// TCP/IP settings dialog "IDD_SET_TCPIP".
#define IDC_DNS_GROUP 400
#define IDC_ADDRESS_GROUP 401
#define IDC_DEVICE_GROUP 402
#define IDC_ADAPTER_COMBO 403
#define IDC_ADDRESS_AUTO 404
#define IDC_ADDRESS_FIXED 405
#define IDC_IP_ADDRESS 406
#define IDC_SUBNET_MASK 407
#define IDC_GATEWAY 408
#define IDC_DNS_AUTO 409
#define IDC_DNS_FIXED 410
#define IDC_PREFERRED_DNS 411
#define IDC_ALTERNATE_DNS 412
#define IDC_DEVICE_LABEL 415
#define IDC_IP_ADDRESS_LABEL 416
#define IDC_SUBNET_MASK_LABEL 417
#define IDC_GATEWAY_LABEL 418
#define IDC_PREFERRED_DNS_LABEL 419
#define IDC_ALTERNATE_DNS_LABEL 420
#define IDC_ADAPTER_DESCRIPTION 421

// Main menu commands.
#define IDM_SELECT_PROFILE 500
#define IDM_SAVE_PROFILE 501
#define IDM_TCPIP_SETTINGS 502
#define IDM_EXIT 503
#define IDM_SHORTCUT_SELECT 504
#define IDM_SHORTCUT_SAVE 505
#define IDM_SHORTCUT_TCPIP 506
#define IDM_SETTINGS 507
#define IDM_VERSION 508
#define IDM_TO_TRAY 510
#define IDM_STARTUP_SHORTCUT 511
#define IDM_OPEN_WINDOW 512

// The notification area's menu: one item per listed profile, from this id on.
#define IDM_TRAY_PROFILE_FIRST 1000
// The notification area's submenu of profiles switched to on arrival: this + the index.
#define IDM_TRAY_AUTO_FIRST 2000

// Program icon.
#define IDI_TESSALY 600
