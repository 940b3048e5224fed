/* Resource, control and command ids; shared by the resource script and the code. */
#pragma once

#define IDD_MAIN 101
#define IDM_PLACEHOLDER 113
#define IDI_APP 117
#define IDI_APP32 154

/* A hidden button of the dialog template that no command is bound to; the template keeps it. */
#define IDC_REMOVE 121
#define IDC_RESET 122
#define IDC_EXIT 1030
#define IDC_LANGUAGES 1031
#define IDC_LINK 1032
#define IDC_GREEN_LABEL 1036
#define IDC_BLUE_LABEL 1037
#define IDC_BRIGHTNESS 1038
#define IDC_RED 1039
#define IDC_GREEN 1040
#define IDC_BLUE 1041
#define IDC_AUTOSTART 1042
#define IDC_RESTORE 1043
#define IDC_RED_VALUE 1044
#define IDC_BRIGHTNESS_VALUE 1045
#define IDC_GREEN_VALUE 1046
#define IDC_BLUE_VALUE 1047
#define IDC_BRIGHTNESS_LABEL 1048
#define IDC_DISPLAYS 1049
#define IDC_HDR_NOTE 1050
#define IDC_NIGHT_STATUS 1051
#define IDC_ICON_SLIDERS 1060
#define IDC_ICON_BOTTOM 1061

/* Menu commands share the controls' command space. */
#define CMD_HOMEPAGE 40025
#define CMD_DONATE 40027
#define CMD_SCREENSAVER 40029
#define CMD_POWER_OPTIONS 40030
#define CMD_BATTERY_SETTINGS 40031
#define CMD_MOBILITY_CENTER 40032
#define CMD_UNINSTALL 40041
#define CMD_NIGHT_MODE 40050
#define CMD_NIGHT_PAUSE 40051
#define CMD_NIGHT_RESUME 40052
#define CMD_LANGUAGE_FIRST 21234
#define CMD_TRANSLATE 21334
#define CMD_LOAD_TRANSLATION 21335
