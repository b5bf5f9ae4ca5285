// The table of English twins: each Japanese text of the editor and the main
// window beside its English text, in the plain style of the English menus.
// Conversions ("%s", "%d") stand in the same order in both texts, and so do
// the line feeds. Texts the code builds by joining pieces are entered as the
// whole text shown, with a conversion where a value goes.

#include <iterator>

#include "app/english_twins.h"

namespace corvane {

namespace {

constexpr EnglishTwin kTwins[] = {
    // The prompt line without a tool
    {"編集ツールをメニューかキーで選んで下さい。（R：線路　P：分岐　C：交差　S：駅　J：ジャンプ　D"
     "：削除　O：選択）",
     "Choose an editing tool from the menus or with a key (R track section, P turnout, C crossing, "
     "S station, J jump, D delete, O select)."},
    // Help
    {"ヘルプ'%s'を表示できませんでした。\n", "The help '%s' could not be shown.\n"},
    {"ヘルプエラー", "Help Error"},
    // Data folder change: refusals, questions and their captions
    {"変更不可", "Cannot Change"},
    {"フォルダ作成確認", "Confirm Folder"},
    {"終了確認", "Confirm Exit"},
    // Closing display window 00
    {"このウインドウを閉じると、プログラムは終了します。\nよろしいですか？\n",
     "Closing this window ends the program.\nIs this all right?\n"},
    {"データフォルダが現在の設定と変わっていません。",
     "The data folder is the same as the current setting."},
    {"データフォルダをマイドキュメント（My Documents）自体に設定することはできません。\n"
     "既に存在するデータフォルダを指定してください。\n",
     "The Documents folder itself cannot be the data folder.\n"
     "Choose a data folder that exists.\n"},
    {"データフォルダをマイドキュメント（My Documents）自体に設定することはできません。\n"
     "マイドキュメント内に「Corvane」フォルダを作成します。\n"
     "よろしいですか？\n",
     "The Documents folder itself cannot be the data folder.\n"
     "A \"Corvane\" folder will be made inside the Documents folder.\n"
     "Is this all right?\n"},
    {"データフォルダをデスクトップ自体に設定することはできません。\n"
     "既に存在するデータフォルダを指定してください。\n",
     "The Desktop folder itself cannot be the data folder.\n"
     "Choose a data folder that exists.\n"},
    {"データフォルダをデスクトップ自体に設定することはできません。\n"
     "デスクトップ内に「Corvane」フォルダを作成します。\n"
     "よろしいですか？\n",
     "The Desktop folder itself cannot be the data folder.\n"
     "A \"Corvane\" folder will be made inside the Desktop folder.\n"
     "Is this all right?\n"},
    {"指定されたフォルダはプログラムフォルダ（Program Files）内となっています。\n"
     "プログラムフォルダ内のデータフォルダは推奨されません。\n"
     "プログラムフォルダ内に指定しますか？\n",
     "The folder is inside the program folder (Program Files).\n"
     "A data folder inside the program folder is not recommended.\n"
     "Use a folder inside the program folder?\n"},
    {"指定されたフォルダ名と重複するファイル名のファイルが存在します。\n",
     "A file with the same name as the folder exists.\n"},
    {"指定されたフォルダは既に存在し、その中に重複するフォルダ名が存在します。\n"
     "データフォルダを移行できません。\n",
     "The folder exists already and holds folders of the same names.\n"
     "The data folder cannot be moved there.\n"},
    {"指定されたフォルダは既に存在し、ファイルが含まれています。\n"
     "現在のデータは、指定されたフォルダに移行します。\n"
     "よろしいですか？\n",
     "The folder exists already and holds files.\n"
     "The current data will be moved into the folder.\n"
     "Is this all right?\n"},
    {"指定されたフォルダは既に存在します。\n"
     "現在のデータは、指定されたフォルダに移行します。\n"
     "よろしいですか？\n",
     "The folder exists already.\n"
     "The current data will be moved into the folder.\n"
     "Is this all right?\n"},
    {"指定されたフォルダは存在しません。\n"
     "フォルダを新規に作成し、現在のデータを移動します。\n"
     "よろしいですか？\n",
     "The folder does not exist.\n"
     "A new folder will be made and the current data moved into it.\n"
     "Is this all right?\n"},
    {"指定されたフォルダ名は存在しません。\n", "The folder does not exist.\n"},
    {"指定されたフォルダはデータフォルダとして必要なフォルダが不足しています。\n"
     "必要フォルダ数：%d　不足フォルダ数：%d\n"
     "\n"
     "指定されたフォルダはデータフォルダとして推奨されません。\n"
     "データフォルダに指定しますか？\n",
     "The folder lacks folders that a data folder needs.\n"
     "Folders needed: %d  Folders missing: %d\n"
     "\n"
     "The folder is not recommended as a data folder.\n"
     "Use it as the data folder?\n"},
    {"プログラムを自動的に終了して、データフォルダ変更を実行します。\n"
     "次回のプログラム時から新しいデータフォルダが使用されます。\n"
     "よろしいですか？\n",
     "The program will end and change the data folder.\n"
     "The new data folder is used from the next start.\n"
     "Is this all right?\n"},
    {"データフォルダは「/」から始まるフォルダのパスで指定してください。\n",
     "Give the data folder as a path that starts with \"/\".\n"},
    {"指定されたフォルダのパスが長すぎます。\n"
     "データフォルダ内のフォルダのパスが255バイトを超えるため、データフォルダに指定できません。\n",
     "The path of the folder is too long.\n"
     "The paths of the folders inside it would exceed 255 bytes, so it cannot be the data "
     "folder.\n"},
    // The caption of the data-folder change log when it is shown in a box
    {"データフォルダ変更", "Change Data Folder"},

    // Start-up: data folder problems, start modes, start-up file, backups
    {"起動エラー", "Startup Error"},
    {"データフォルダの設定ファイルを正常に読み込めません。\n"
     "存在するデータフォルダを指定してください。\n",
     "The settings file of the data folder cannot be read.\n"
     "Choose a data folder that exists.\n"},
    {"データフォルダが見つかりません。\n存在するデータフォルダを指定してください。\n",
     "The data folder cannot be found.\nChoose a data folder that exists.\n"},
    {"通常起動", "Normal Start"},
    {"ウインドウ位置設定初期化", "Reset Window Positions"},
    {"全設定初期化", "Reset All Settings"},
    {"通常に起動します。", "Starts the program as usual."},
    {"ウインドウ位置の設定を初期化します。なお、初期化をするとプログラムは自動的に終了します。",
     "Resets the window positions. The program ends by itself after the reset."},
    {"全ての設定を初期化します。なお、初期化をするとプログラムは自動的に終了します。",
     "Resets all settings. The program ends by itself after the reset."},
    {"起動コマンドが確認できません。\n", "The start-up command is not recognized.\n"},
    {"読み込み確認", "Confirmation of Opening"},
    {"前回のご使用時に異常終了したため、ダイヤデータにバックアップファイルがあります。\n\n"
     "バックアップファイルを読み込みますか？",
     "The program ended abnormally last time; there is a backup file of the dia data.\n\n"
     "Open the backup file?"},
    {"前回のご使用時に異常終了したため、マップデータにバックアップファイルがあります。\n\n"
     "バックアップファイルを読み込みますか？",
     "The program ended abnormally last time; there is a backup file of the map data.\n\n"
     "Open the backup file?"},
    {"マップ編集ウインドウが開いていません。\n", "The map edit window is not open.\n"},
    {"ウインドウエラー", "Window Error"},

    // Map files of the map edit window: questions and message-window lines
    {"マップデータを開きます。\n現在のマップは変更されています。\n現在のデータを保存しますか？",
     "Open map.\nThe map has been changed.\nSave the current data?"},
    {"マップの編集を終了します。\n現在のマップは変更されています。\n現在のデータを保存しますか？",
     "End map editing.\nThe map has been changed.\nSave the current data?"},
    {"%s\n現在のマップは変更されています。\n現在のデータを保存しますか？",
     "%s\nThe map has been changed.\nSave the current data?"},
    {"このファイルは、マップデータではありません。\n", "This file is not map data.\n"},
    {"マップデータ「%s」を開きました。", "Opened map data \"%s\"."},
    {"マップデータ「%s」を保存しました。", "Saved map data \"%s\"."},
    {"新規マップの編集を開始します。\n現在のマップの変更は失われます。\nよろしいですか？",
     "Start editing a new map.\nThe changes to the current map will be lost.\nIs this all "
     "right?"},
    {"新規確認", "Confirm New Map"},

    // A data folder given on the command line
    {"データフォルダのパスが長すぎます。\n%s\n", "The path of the data folder is too long.\n%s\n"},
    {"データフォルダ'%s'を作成できませんでした。\n",
     "The data folder '%s' could not be created.\n"},

    // Web help
    {"インターネットに接続します。よろしいですか？", "Connect to the Internet. Is this all right?"},
    {"インターネット接続確認", "Confirm Internet Connection"},
    {"インターネットに接続するときに、確認を行わないようにします。\nよろしいですか？",
     "Stop asking before connecting to the Internet.\nIs this all right?"},
    {"インターネット確認", "Internet Confirmation"},

    // Text fields of dialogs
    {"名称等に「,」（半角カンマ）や改行は使用できません。\n",
     "Names and other texts cannot hold \",\" (comma) or line breaks.\n"},
    {"入力データエラー", "Input Error"},

    // File reading and writing
    {"ファイル読み込みエラー", "File Read Error"},
    {"ファイル書き込みエラー", "File Write Error"},
    {"ファイル読み込み警告", "File Read Warning"},
    {"ファイル形式エラー", "File Format Error"},
    {"読み込みファイル'%s'は開けませんでした。\n",
     "The file '%s' could not be opened for reading.\n"},
    {"読み込みファイル'%s'は閉じられませんでした。\n",
     "The file '%s' could not be closed after reading.\n"},
    {"ファイル'%s'は閉じられませんでした。\n", "The file '%s' could not be closed.\n"},
    {"書き込みファイル'%s'は開けませんでした。\n",
     "The file '%s' could not be opened for writing.\n"},
    {"書き込みファイル'%s'は閉じられませんでした。\n",
     "The file '%s' could not be closed after writing.\n"},
    {"ファイル'%s'は開けませんでした。\n", "The file '%s' could not be opened.\n"},
    {"読み込みファイル'%s'は途中で切れています。\n", "The file '%s' is cut short.\n"},
    {"出力ファイル'%s'は入力ファイル'%s'と同じです。\n",
     "The output file '%s' is the input file '%s'.\n"},
    {"出力ファイル'%s'の拡張子は %s のどれかにしてください。\n",
     "The output file '%s' must have one of the extensions %s.\n"},
    {"読み込みファイル'%s'は、マップデータではありません。\n", "The file '%s' is not map data.\n"},
    {"読み込みファイル'%s'は、ダイヤデータではありません。\n", "The file '%s' is not dia data.\n"},

    // Compile checks: the end-of-stage boxes and their captions
    {"エラーがあります。\nメッセージウインドウに出ている警告内容を修正してください。\n"
     "不正なオブジェクトは赤で表示されます。",
     "There are errors.\nCorrect what the message window reports.\n"
     "Invalid objects are shown in red."},
    {"警告があります。コンパイルを継続しますか？\n\nメッセージウインドウに出ている警告内容を"
     "修正してください。\n不正なオブジェクトは紫で表示されます。",
     "There are warnings. Continue compiling?\n\nCorrect what the message window reports.\n"
     "Invalid objects are shown in purple."},
    {"コンパイルエラー", "Compile Error"},
    {"コンパイル警告", "Compile Warning"},
    // Compile checks: progress in the window title
    {"初期チェック中", "Running initial checks..."},
    {"線路サイズチェック中", "Checking track section sizes..."},
    {"ポイントサイズチェック中", "Checking point sizes..."},
    {"停車区画サイズチェック中", "Checking stop section sizes..."},
    {"重複オブジェクトチェック中", "Checking overlapping objects..."},
    {"駅指定・停車区画指定整合性チェック中", "Checking station and stop section assignments..."},
    {"ポイント整合性チェック中", "Checking points..."},
    {"区間距離チェック中", "Checking lengths..."},
    {"停止目標距離チェック中", "Checking stop target distances..."},
    {"方向設定チェック中", "Checking directions..."},
    // Compile checks: findings in the message window
    {"＜エラー＞起点が指定されていません。", "<Error> No start point is set."},
    {"＜エラー＞起点が不正です。再設定してください。",
     "<Error> The start point is invalid. Set it again."},
    {"＜エラー＞線路が重複しています。", "<Error> Track sections overlap."},
    {"＜エラー＞線路とポイントが重複しています。", "<Error> A track section and a point overlap."},
    {"＜エラー＞線路とジャンプが重複しています。", "<Error> A track section and a jump overlap."},
    {"＜エラー＞ポイントが重複しています。", "<Error> Points overlap."},
    {"＜エラー＞ポイントとジャンプが重複しています。", "<Error> A point and a jump overlap."},
    {"＜エラー＞ジャンプが重複しています。", "<Error> Jumps overlap."},
    {"＜警告＞不正な駅指定がありました。自動修正されました。",
     "<Warning> An invalid station assignment was found and corrected."},
    {"＜警告＞不正な停車区画指定がありました。自動修正されました。",
     "<Warning> An invalid stop section assignment was found and corrected."},
    {"＜エラー＞存在しない信号機の種類が指定されています。",
     "<Error> A signal type that does not exist is set."},
    {"＜エラー＞ポイントの分岐数が多すぎます。", "<Error> The point has too many branches."},
    {"＜エラー＞線路詳細設定が多すぎます。",
     "<Error> There are more track section details than a dia data file can hold."},
    {"＜エラー＞区間距離が設定されていません。", "<Error> No length is set."},
    {"＜エラー＞停止目標距離が小さすぎます。", "<Error> The stop target distance is too small."},
    {"＜エラー＞停止目標距離が大きすぎます。", "<Error> The stop target distance is too large."},
    {"＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには%d[m]以上確保してください。",
     "<Warning> The stop target leaves too little room. An ATS map needs at least %d[m]."},
    {"＜警告＞停止目標距離が極端に小さくなっています。",
     "<Warning> The stop target distance is extremely small."},
    {"＜エラー＞停止目標距離が設定されていません。", "<Error> No stop target distance is set."},
    {"＜警告＞制限速度がマップ最高速度を超えています。",
     "<Warning> The speed limit exceeds the maximum speed of the map."},
    {"＜警告＞ポイントの個別に設定された制限速度がマップ最高速度を超えています。",
     "<Warning> A branch speed limit of the point exceeds the maximum speed of the map."},
    {"＜警告＞←方向の線路に単線指定がされています。",
     "<Warning> A leftward-only track section is set as single track."},
    {"＜警告＞→方向の線路に単線指定がされています。",
     "<Warning> A rightward-only track section is set as single track."},
    {"エラー：%d件　警告：%d件", "Errors: %d  Warnings: %d"},

    // Map edit: full tables
    {"操作エラー", "Operation Error"},
    {"これ以上増やせません。", "The table is full."},
    {"サイズエラー", "Size Error"},

    // Map edit session: prompts of the setting dialogs, the bulk question
    {"新規のマップを開始するか、保存データを読み込んで下さい。",
     "Start a new map or open a map file."},
    {"マップの基本情報を設定して下さい。", "Set the basic information of the map."},
    {"信号現示のための基本情報を設定して下さい。",
     "Set the basic information for the signal aspects."},
    {"選択範囲に一括指定します。よろしいですか？",
     "This is set on the whole selection. Is this all right?"},
    {"指定確認", "Confirm"},
    {"グリッド表示設定を行なって下さい。", "Set the grid display."},

    // Map edit window tools: prompt line
    {"交差ポイントの対角点の%d点目（4点中）を左クリックして下さい。"
     "また、既に設置してある交差ポイントを左クリックするとポイントの種類を変更出来ます。",
     "Click corner %d (of 4) of the crossing. Clicking a placed crossing changes its kind."},
    {"選択したい範囲の対角点を左クリックして下さい。",
     "Click the opposite corners of the range to select."},
    {"選択したいオブジェクトを左クリックして下さい。", "Click the object to select."},
    {"線路の始点を左クリックして下さい。", "Click where the track section starts."},
    {"線路の終点を左クリックして下さい。左クリックを続けて行うと連続指定出来ます。"
     "連続指定を中止する場合には、右クリックして下さい。",
     "Click where the track section ends. Keep clicking to go on in a row; right-click to "
     "stop."},
    {"分岐ポイントの始点（分岐元）を左クリックして下さい。",
     "Click where the turnout starts (its joint)."},
    {"分岐ポイントの終点（分岐先）を左クリックして下さい。左クリックを続けて行うと連続指定"
     "出来ます。連続指定を中止する場合には、右クリックして下さい。",
     "Click where a branch of the turnout ends. Keep clicking to go on in a row; right-click to "
     "stop."},
    {"駅に指定したい線路を左クリックして下さい。", "Click the track section to set as a station."},
    {"駅外停車区画に指定したい線路を左クリックして下さい。",
     "Click the track section to set as a stop section."},
    {"駅構内に指定したい線路を左クリックして下さい。",
     "Click the track section to set as a station yard."},
    {"駅外停車区画構内に指定したい線路を左クリックして下さい。",
     "Click the track section to set as a stop section yard."},
    {"駅描画の設置位置の対角点の１点目（２点中）を左クリックして下さい。",
     "Click the first corner (of 2) of the station drawing."},
    {"駅描画の設置位置の対角点の２点目（２点中）を左クリックして下さい。",
     "Click the second corner (of 2) of the station drawing."},
    {"ジャンプの設置位置の１点目（２点中）を左クリックして下さい。",
     "Click the first point (of 2) of the jump."},
    {"ジャンプの設置位置の２点目（２点中）を左クリックして下さい。",
     "Click the second point (of 2) of the jump."},
    {"削除したいオブジェクトを左クリックして下さい。", "Click the object to delete."},
    {"線路プロパティを設定したい線路を左クリックして下さい。",
     "Click the track section whose properties to set."},
    {"選択されたオブジェクトは、矢印キーで移動出来ます。",
     "Move the selected objects with the arrow keys."},
    {"設定する線路距離を入力して下さい。", "Enter the length to set."},
    {"設定する停止目標距離を入力して下さい。", "Enter the stop target distance to set."},
    {"設定する信号機の種類を選択して下さい。", "Choose the signal type to set."},
    {"双方向設定したい線路を左クリックして下さい。",
     "Click the track section to set to both directions."},
    {"←方向設定したい線路を左クリックして下さい。",
     "Click the track section to set to leftward only."},
    {"→方向設定したい線路を左クリックして下さい。",
     "Click the track section to set to rightward only."},
    {"単線区間に指定したい線路を左クリックして下さい。",
     "Click the track section to set as single track."},
    {"電化方式を設定したい線路を左クリックして下さい。",
     "Click the track section whose electrification to set."},
    {"設定する電化方式を選択して下さい。", "Choose the electrification to set."},
    {"信号機の種類を設定したい線路を左クリックして下さい。",
     "Click the track section whose signal type to set."},
    {"制限速度を設定したい線路を左クリックして下さい。",
     "Click the track section whose speed limit to set."},
    {"設定する制限速度を入力して下さい。", "Enter the speed limit to set."},
    {"制限速度を個別に設定したいポイントを左クリックして下さい。",
     "Click the point whose branch speed limits to set."},
    {"線路距離を設定したい線路を左クリックして下さい。",
     "Click the track section whose length to set."},
    {"停止目標距離を設定したい線路を左クリックして下さい。",
     "Click the track section whose stop target distance to set."},
    {"線路名称を設定したい線路を左クリックして下さい。", "Click the track section to name."},
    {"線路名称を全自動で設定したい駅間の線路を左クリックして下さい。",
     "Click a track section between stations to name fully automatically."},
    {"線路名称を設定したい駅間の線路を左クリックして下さい。",
     "Click a track section between stations to name."},
    {"線路名称を設定したい構内の線路・ポイントを左クリックして下さい。",
     "Click the track section or point in a yard to name."},
    {"線路名称を設定したい駅の線路を左クリックして下さい。",
     "Click a track section of the station to name."},
    {"線路名称を設定したい停車区画の線路を左クリックして下さい。",
     "Click a track section of the stop section to name."},
    {"起点を設定したい端部の線路を左クリックして下さい。",
     "Click the track section at an end of the line to set as the start point."},
    {"起点からの距離を確認したい駅・駅外停車区画の線路を左クリックして下さい。",
     "Click a track section of the station or stop section to check its distance from the start "
     "point."},
    {"挿入したい行の始点を左クリックして下さい。", "Click where the rows to insert start."},
    {"挿入したい行の終点を左クリックして下さい。", "Click where the rows to insert end."},
    {"挿入したい列の始点を左クリックして下さい。", "Click where the columns to insert start."},
    {"挿入したい列の終点を左クリックして下さい。", "Click where the columns to insert end."},
    {"削除したい行の始点を左クリックして下さい。", "Click where the rows to delete start."},
    {"削除したい行の終点を左クリックして下さい。", "Click where the rows to delete end."},
    {"削除したい列の始点を左クリックして下さい。", "Click where the columns to delete start."},
    {"削除したい列の終点を左クリックして下さい。", "Click where the columns to delete end."},

    // Placing tools: refusals
    {"重ねての指定は出来ません。\n", "Objects cannot be placed on top of each other.\n"},
    {"線路重複エラー", "Overlap Error"},
    {"分岐ポイントを設置出来ません。\n\n"
     "分岐ポイントの終点（分岐先）は、横方向に同じ位置（同じｘ座標）で設定する必要があります。\n",
     "The turnout cannot be placed.\n\n"
     "The branch ends of a turnout must be at the same horizontal position (the same x "
     "coordinate).\n"},
    {"位置エラー", "Position Error"},
    {"交差ポイントを設置出来ません。\n\n"
     "交差ポイントの対角点は、横方向に同じ位置（同じｘ座標）の２点の組で設定する必要があります。\n",
     "The crossing cannot be placed.\n\n"
     "The corners of a crossing must come in pairs of two points at the same horizontal position "
     "(the same x coordinate).\n"},
    {"駅描画を設置出来ません。\n\n駅描画は、四角形の対角する２点を指定して下さい。\n",
     "The station drawing cannot be placed.\n\n"
     "Give two opposite corners of a rectangle for a station drawing.\n"},
    {"接続する線路が見つかりません。\n", "No track section to connect to was found.\n"},
    {"設定エラー", "Setting Error"},

    // Track information dialog: refusals and the gradient question
    {"ポイントキー設定エラー", "Point Key Error"},
    {"制限速度は、正の値でなければなりません。\n", "The speed limit must be a positive value.\n"},
    {"区間距離は、正の値でなければなりません。\n", "The length must be a positive value.\n"},
    {"停止目標距離が設定されていません。\n", "No stop target distance is set.\n"},
    {"停止目標距離が小さすぎます。\n", "The stop target distance is too small.\n"},
    {"停止目標距離が大きすぎます。\n", "The stop target distance is too large.\n"},
    {"停車区画に勾配を設定すると正しく発車や停車ができない場合があります。\nよろしいですか？",
     "With a gradient on a stopping track section, trains may not start or stop properly.\n"
     "Is this all right?"},
    {"設定確認", "Confirm Setting"},
    {"置換する項目が選択されていません。\n", "No entry is selected.\n"},
    {"このポイントキーは、既に設定されているため使用できません。\n",
     "This point key is in use already and cannot be used.\n"},
    {"このポイントキーは、既に設定されている%sと重複するため使用できません。\n",
     "This point key overlaps the key %s in use already and cannot be used.\n"},
    {"開始位置は、正の値にしてください。\n", "The start must be a positive value.\n"},
    {"開始位置は、区間長より小さくしてください。\n", "The start must be less than the length.\n"},
    {"終了位置は、正の値にしてください。\n", "The end must be a positive value.\n"},
    {"終了位置は、区間長より小さくしてください。\n", "The end must be less than the length.\n"},
    {"開始位置は、終了位置より小さくしてください。\n", "The start must be less than the end.\n"},

    // Rows and columns
    {"指定された範囲を削除出来ません。\n\n削除範囲にオブジェクトが含まれています。\n",
     "The range cannot be deleted.\n\nThe range holds objects.\n"},
    {"削除エラー", "Delete Error"},

    // Selection and move tools
    {"移動するオブジェクトを選択してから実行して下さい。\n", "Select the objects to move first.\n"},
    {"四角形の対角する２点を指定して下さい。\n", "Give two opposite corners of a rectangle.\n"},
    {"範囲エラー", "Range Error"},

    // Map property, signal settings and time unit dialogs
    {"最高速度は1～1023[km/h]の範囲で設定して下さい。\n",
     "Set the maximum speed between 1 and 1023[km/h].\n"},
    {"ＡＴＣマップはポイント・終端などの手前に停止現示となる進入しない閉塞を用意する必要が"
     "あります。\nマップの作成が複雑になり難しくなります。\nＡＴＣマップでよろしいですか？",
     "An ATC map needs blocks that show a stop aspect and are never entered, in front of points, "
     "buffer stops and the like.\nThis makes the map more complex and harder to build.\n"
     "Make this an ATC map?"},
    {"ＡＴＣ確認", "Confirm ATC"},
    {"信号余裕距離は5[m]以上確保しなければなりません。\n再設定して下さい。\n",
     "The signal margin must be at least 5[m].\nSet it again.\n"},
    {"信号現示計算減速度は正の値でなければなりません。\n再設定して下さい。\n",
     "The signal deceleration must be a positive value.\nSet it again.\n"},
    {"再力行速度は正の値でなければなりません。\n再設定して下さい。\n",
     "The re-acceleration speed must be a positive value.\nSet it again.\n"},
    {"信号現示計算減速度が列車性能を上回っています。\n余裕を持たせて再設定して下さい。\n",
     "The signal deceleration is above what the trains can brake.\n"
     "Set it again with some margin.\n"},
    {"走行特性シミュレートに対応させるには、対応した形式データが必要です。\n"
     "走行特性シミュレートに非対応の形式は、従来の走行シミュレートになります。\n",
     "Simulating running characteristics needs series data that supports them.\n"
     "Series without that support run with the former running simulation.\n"},
    {"設定警告", "Setting Warning"},
    {"この機能は拡張機能です。", "This is an extension feature."},
    {"信号設定を変更すると、運転時分が変わってくる場合があります。所要時分やダイヤを設定し直す"
     "必要があります。また、距離と減速の余裕を大きく設定すると、常に停止現示となり進入不能になる"
     "場合があります。",
     "Changing the signal settings may change running times, and the running times and the dia "
     "then have to be set again. Large distance and deceleration margins may also keep a signal "
     "at stop, so that no train can enter."},
    {"時刻が不正です。再設定して下さい。\n", "The time is invalid. Set it again.\n"},
    {"このマップは、バージョンが古いため、信号設定に対応していません。",
     "This map is of an old version and has no signal settings."},
    // List items
    {"通過", "Pass"},
    {"%d秒", "%ds"},
    {"ＡＴＣ", "ATC"},
    {"ＡＴＳ", "ATS"},
    {"デジタルＡＴＣ", "Digital ATC"},
    {"下り", "Down"},
    {"上り", "Up"},

    // Signal details dialog. The distance line is printed with "%4.0lf";
    // "%d" stands for its number here.
    {"これ以上増やせません。\n", "The table is full.\n"},
    {"この現示の速度の幅は1[km/h]しかないため、現示を追加出来ません。\n"
     "先に現示速度を変更して下さい。\n",
     "This aspect spans only 1[km/h], so no aspect can be added.\n"
     "Change the aspect speed first.\n"},
    {"減速距離：%d[m]", "Braking Distance: %d[m]"},

    // Start point tool
    {"起点が指定されていません。\n", "No start point is set.\n"},
    {"起点指定エラー", "Start Point Error"},

    // Station and naming dialogs: delete questions
    {"削除確認", "Confirm Delete"},
    {"選択されている駅・停車区画を削除します。\nよろしいですか？",
     "The selected station or stop section will be deleted.\nIs this all right?"},
    {"選択されている名称設定を削除します。\nよろしいですか？",
     "The selected names will be deleted.\nIs this all right?"},

    // Number fields
    {"負の値は設定できません。\n", "Negative values cannot be set.\n"},
    {"入力された値が大きすぎます。\n", "The value entered is too large.\n"},
    // The board's line and colour items
    {"線の太さは10000以下で指定して下さい。", "Give a line width of 10000 or less."},
    {"項目名に改行は使えません。", "An item name cannot hold a line break."},

    // Reading map files: warnings
    {"このデータは、現在お使いの当ソフトウェアよりも新しいバージョンで作られています。\n"
     "当ソフトウェアのバージョンアップをおすすめします。\n"
     "読み込みを続けた場合、正しく動作しない可能性があります。\n",
     "This data was made by a newer version of this program than the one in use.\n"
     "Updating this program is recommended.\n"
     "If reading goes on, the program may not work properly.\n"},
    {"データの読み込みに失敗しました。\n"
     "このまま続けた場合、正しく動作しない可能性があります。\n",
     "Reading the data failed.\n"
     "If you go on, the program may not work properly.\n"},

    // Dia data files
    {"このダイヤデータは、バージョンが古いため読み込みできません。",
     "This dia data is of a version too old to be read."},
    {"バージョンエラー", "Version Error"},
    {"読み込みファイル'%s'の内容が正しくありません。\n%s\n",
     "The contents of the file '%s' are not valid.\n%s\n"},
    {"読み込みファイル'%s'の内容が正しくありません。",
     "The contents of the file '%s' are not valid."},
    {"%sの形式写真が見つかりません。\n表示させるには、別途用意してインポートする必要があります。",
     "The photograph of %s was not found.\nTo show it, prepare one and import it."},
    {"形式写真エラー", "Series Photograph Error"},
    {"%sの形式アイコンが見つかりません。\n表示させるには、別途用意してインポートする必要があります"
     "。",
     "The icon of %s was not found.\nTo show it, prepare one and import it."},
    {"形式アイコンエラー", "Series Icon Error"},
    // The compile: question, progress, findings and report
    {"メインウインドウのマップデータを更新します。\n現在のダイヤの変更は失われます。\nよろしいです"
     "か？",
     "The map data of the main window will be replaced.\nThe changes of the current dia will be "
     "lost.\nIs this all right?"},
    {"コンパイル確認", "Confirm Compile"},
    {"線路生成中", "Making track sections"},
    {"ポイント生成中", "Making points"},
    {"ポイント線路接続中", "Connecting points"},
    {"ポイント線路接続中　線路設定Ａ　%d/%d", "Connecting points, track sections A %d/%d"},
    {"ポイント線路接続中　線路設定Ｂ　%d/%d", "Connecting points, track sections B %d/%d"},
    {"ポイント線路接続中　接続確認", "Connecting points, checking connections"},
    {"ポイント線路接続中　接続修正", "Connecting points, mending connections"},
    {"ポイントキー自動設定中", "Setting point keys"},
    {"駅生成中", "Making stations"},
    {"停車区画生成中", "Making stop sections"},
    {"駅描画生成中", "Making station drawings"},
    {"ポイントモード設定中", "Setting point modes"},
    {"ジャンプ文字設定中", "Setting jump labels"},
    {"線路詳細設定中", "Setting track section details"},
    {"信号設定中", "Setting signals"},
    {"線路信号確認中", "Checking track section signals"},
    {"＜エラー＞ポイントの進路を正しく設定できません。",
     "<Error> The routes of a point cannot be set correctly."},
    {"＜エラー＞ポイントの接続関係を正しく設定できません。",
     "<Error> The connections of a point cannot be set correctly."},
    {"＜エラー＞ポイントキーを自動設定できません。使用できるキーがありません。",
     "<Error> No point key can be set automatically: no key is left."},
    {"＜エラー＞終端の線路の信号設定が次区画参照になっています。",
     "<Error> A track section at a buffer stop takes its signal from the next section."},
    {"＜警告＞ＡＴＣマップで、最高速度・制限速度を下回る現示しか設定されていません。",
     "<Warning> On an ATC map, only aspects below the top speed or the speed limit are set."},
    {"＜情報＞ジャンプ数：%d", "<Info> Jumps: %d"},
    {"＜情報＞駅描画数：%d", "<Info> Station drawings: %d"},
    {"＜情報＞停車区画数：%d", "<Info> Stop sections: %d"},
    {"＜情報＞駅数：%d", "<Info> Stations: %d"},
    {"＜情報＞ポイント数：%d", "<Info> Points: %d"},
    {"＜情報＞線路数：%d", "<Info> Track sections: %d"},
    // Map selection
    {"マップデータのフォルダ\n%s\nが開けませんでした。",
     "The map data folder\n%s\ncould not be opened."},
    {"マップデータが見つかりませんでした。", "No map data was found."},
    {"起動時のマップです", "This is the start-up map"},
    {"保安装置：ＡＴＣ", "Train protection: ATC"},
    {"保安装置：ＡＴＳ", "Train protection: ATS"},
    {"保安装置：デジタルＡＴＣ", "Train protection: digital ATC"},
    // Board layout modes: prompt line
    {"%d行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。",
     "Click the right end of row %d. A left click sets it; a right click moves to the next row."},
    {"%d行目の左端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。",
     "Click the left end of row %d. A left click sets it; a right click moves to the next row."},
    // Interlocking: points
    {"指定されたポイントは故障中です。", "The selected point has failed."},
    {"ポイントの要求制御が一時的に解除されました。",
     "The point's demand control is released for the moment."},
    {"ポイントの通知制御が一時的に解除されました。",
     "The point's notice control is released for the moment."},
    {"ポイント%sは鎖錠中です。", "Point %s is locked."},
    {"%s編成の編成長が、%sの有効長を超えている可能性があります。",
     "Trainset %s may be longer than the usable length of %s."},
    {"ポイントが手動制御に設定されました。", "The point is now under manual control."},
    {"ポイントが復位制御に設定されました。", "The point is now under reset control."},
    {"ポイントが要求制御に設定されました。", "The point is now under demand control."},
    {"ポイントが通知制御に設定されました。", "The point is now under notice control."},
    {"ポイントが順序制御に設定されました。", "The point is now under sequence control."},
    {"ポイントが併用制御に設定されました。", "The point is now under combined control."},
    // Interlocking: routes
    {"指定された着点は競合する別進路（発点：%s）が設定されています。",
     "Another route (start point: %s) already ends at the selected end point."},
    {"指定された着点は競合する対向進路（発点：%s）が設定されています。",
     "An opposing route (start point: %s) is set at the selected end point."},
    {"指定された区間に先行列車が在線します。", "A train ahead stands in the selected section."},
    {"指定された区間に競合する別進路が設定されています。",
     "Another route is set in the selected section."},
    {"指定された区間に対向列車が在線します。", "An opposing train stands in the selected section."},
    {"指定された区間に競合する対向進路が設定されています。",
     "An opposing route is set in the selected section."},
    {"ポイント%sが鎖錠中です。", "Point %s is locked, so the route cannot be set."},
    {"指定された発点は競合する対向進路が設定されています。",
     "An opposing route is set at the selected start point."},
    {"%s編成が進路内に存在します。", "Trainset %s is inside the route."},
    {"この進路には競合する定位進路が存在します。",
     "A conflicting normal route lies on this route."},
    {"進路エラー", "Route Error"},
    {"進路が手動制御に設定されました。", "The route is now under manual control."},
    {"進路が復位制御に設定されました。", "The route is now under reset control."},
    {"進路が要求制御に設定されました。", "The route is now under demand control."},
    // Relay-interlocking panel mode: refusals, the control question and captions
    {"継電連動装置操作盤方式には、構内管理の有効なマップが必要です。",
     "The relay interlocking panel needs a map with station yards in use."},
    {"このマップは構内設定が正しくできていません。\n"
     "全てのポイントが構内に含まれている必要があります。",
     "The station yards of this map are not set up correctly.\n"
     "Every point must be inside a station yard."},
    {"構内設定エラー", "Station Yard Error"},
    {"このマップは、マップのバージョンが古いため継電連動装置操作盤方式は未対応です。",
     "This map's version is too old for the relay interlocking panel."},
    {"未対応エラー", "Not Supported"},
    {"進路制御方式を要求制御に設定します。\nよろしいですか？\n\n"
     "「はい」　：　要求制御\n「いいえ」：　復位制御",
     "Routes will be set under demand control.\nIs this all right?\n\n"
     "Yes: demand control\nNo: reset control"},
    {"進路制御方式確認", "Confirm Route Control"},
    // Series files: the checks, the tables, the description
    {"データエラー", "Data Error"},
    {"両数が正しく設定されていません。", "The number of cars is not set correctly."},
    {"編成長が正しく設定されていません。", "The trainset length is not set correctly."},
    {"ドア総数が正しく設定されていません。", "The number of doors is not set correctly."},
    {"ドア幅が正しく設定されていません。", "The door width is not set correctly."},
    {"定員が正しく設定されていません。", "The capacity is not set correctly."},
    {"最大乗車率が正しく設定されていません。", "The maximum load factor is not set correctly."},
    {"最高速度が正しく設定されていません。", "The maximum speed is not set correctly."},
    {"軌間が正しく設定されていません。", "The gauge is not set correctly."},
    {"加速度が正しく設定されていません。", "The acceleration is not set correctly."},
    {"常用ブレーキ１段が正しく設定されていません。", "Service brake step 1 is not set correctly."},
    {"常用ブレーキ２段が正しく設定されていません。", "Service brake step 2 is not set correctly."},
    {"常用ブレーキ３段が正しく設定されていません。", "Service brake step 3 is not set correctly."},
    {"ＡＴＣブレーキが正しく設定されていません。", "The ATC brake is not set correctly."},
    {"非常ブレーキが正しく設定されていません。", "The emergency brake is not set correctly."},
    {"加速度・減速度の中に小さ過ぎるものがあります。\n単位km/h/sを１００倍して整数で設定して下さい"
     "。",
     "An acceleration or deceleration is too small.\nGive each in km/h/s times 100, as an "
     "integer."},
    {"この形式の減速度（%s[km/h/s]）は信号設定に対して余裕が足りません。\n"
     "信号設定を変更してから形式読み込みを行って下さい。",
     "The deceleration of this series (%s[km/h/s]) leaves too little margin for the signal "
     "settings.\nChange the signal settings before reading the series."},
    {"列車質量が正しく設定されていません。", "The train mass is not set correctly."},
    {"モータ個数が正しく設定されていません。", "The number of motors is not set correctly."},
    {"形式：%s", "Series: %s"},
    {"用途：%s", "Use: %s"},
    {"客室：%s", "Accommodation: %s"},
    {"制御方式：%s", "Control system: %s"},
    {"両数：%s両", "Cars: %s"},
    {"定員：%s人", "Capacity: %s persons"},
    {"最大乗車率：%s％", "Maximum load: %s%"},
    {"最高速：%skm/h", "Maximum speed: %skm/h"},
    {"加速度：%skm/h/s", "Acceleration: %skm/h/s"},
    {"常用ブレーキ１段：%skm/h/s", "Service brake step 1: %skm/h/s"},
    {"常用ブレーキ２段：%skm/h/s", "Service brake step 2: %skm/h/s"},
    {"常用ブレーキ３段：%skm/h/s", "Service brake step 3: %skm/h/s"},
    {"ＡＴＣブレーキ：%skm/h/s", "ATC brake: %skm/h/s"},
    {"非常ブレーキ：%skm/h/s", "Emergency brake: %skm/h/s"},
    {"走行特性シミュレート：対応", "Running characteristics simulation: supported"},
    {"走行特性シミュレート：非対応", "Running characteristics simulation: not supported"},
    {"未導入", "Not introduced"},
    {"%d編成", "%d trainsets"},
    {"使用：%d／所有：%d", "In use: %d / Owned: %d"},
    // Load-time checks of dia data
    {"修正確認", "Confirm Repair"},
    {"自動修正確認", "Confirm Automatic Repair"},
    {"修正完了", "Repair Done"},
    {"バージョン警告", "Version Warning"},
    {"編成データが不正です。\n%s編成の形式情報を自動修正します。\nよろしいですか？\n",
     "The trainset data is wrong.\nThe series of trainset %s will be repaired.\nIs this all "
     "right?\n"},
    {"このダイヤデータは不具合があります。\n自動修正を試みますか？",
     "This dia data has faults.\nTry to repair them?"},
    {"ダイヤデータを自動修正しました。\nただし、不具合が残っている可能性もあります。",
     "The dia data was repaired.\nSome faults may remain."},
    {"このダイヤパターンデータは不具合があります。\n自動修正を試みますか？",
     "This run pattern data has faults.\nTry to repair them?"},
    {"速度種別%"
     "sの計測用形式データがありません。\n使用中にエラーが発生する可能性があります\n\n該当する速度種"
     "別の形式設定を自動修正します。\nよろしいですか？\n",
     "Speed type %s has no series to measure with.\nErrors may occur in use\n\nThe series of the "
     "speed type will be repaired.\nIs this all right?\n"},
    {"線路の方向表示設定が不正です。\n方向表示設定を自動修正します。\nよろしいですか？\n",
     "The direction display setting is wrong.\nIt will be repaired.\nIs this all right?\n"},
    {"→方向が「上り」になっています。\n→方向が「下り」に自動修正します。\nよろしいですか？\n",
     "Rightward is \"up\".\nRightward will be made \"down\".\nIs this all right?\n"},
    {"このマップは、バージョンが古いため、信号の現示などに一部不具合が出る可能性があります。\n信号"
     "現示変換処理を行いますか？\n\n信号現示変換処理を実行すると、列車性能に適した信号現示となりま"
     "すが、運転時分が変わるためダイヤの作成をし直す必要が発生する場合があります。",
     "This map is of an old version: some aspects may be wrong.\nConvert the signal "
     "aspects?\n\nAfter the conversion the aspects suit the trains' performance, but running times "
     "change and the dia may have to be made again."},
    {"このマップは、バージョンが古いため、信号の現示などに一部不具合が出る可能性があります。\nなお"
     "、拡張機能を使用する場合、信号現示変換処理が使用できます。",
     "This map is of an old version: some aspects may be wrong.\nWith the extension features the "
     "signal aspects can be converted."},
    {"このマップは、信号現示変換処理は必要ありません。",
     "This map needs no signal aspect conversion."},
    {"このマップは、バーションが古いため信号現示変換処理は出来ません。",
     "This map is too old for the signal aspect conversion."},
    {"このマップは、信号現示変換処理に対応していません。",
     "This map does not support the signal aspect conversion."},
    {"形式のＡＴＣブレーキが小さ過ぎるため、信号現示変換処理は出来ません。",
     "The ATC brake of a series is too small for the signal aspect conversion."},
    {"ダイヤデータの行き先表示を自動設定します。\nよろしいですか？\n\nこの処理を行うと、行き先表示"
     "の文字数切り替えができるようになります。",
     "The destinations of the dia data will be set.\nIs this all right?\n\nAfterwards the length "
     "of the destination display can be switched."},
    {"レールデータが不正です。\n%sの信号設定を自動修正します。\nよろしいですか？\n",
     "The track section data is wrong.\nThe signal of %s will be repaired.\nIs this all right?\n"},
    {"マップ自動修正中", "Repairing the map"},
    {"重複形式削除中", "Removing series held twice"},
    {"ログ初期化中", "Clearing the log"},
    {"形式データバージョンアップ中", "Upgrading series data"},
    {"信号現示変換中", "Converting signal aspects"},
    {"データチェック中", "Checking the data"},
    {"レールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " l_next i:%d l_next:%d\n",
     "The track section data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " l_next i:%d l_next:%d\n"},
    {"レールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " l_back i:%d l_back:%d\n",
     "The track section data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " l_back i:%d l_back:%d\n"},
    {"レール表示データが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " row_pos_x i:%d(%d) l_next(%d):%d\n",
     "The track section display data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " row_pos_x i:%d(%d) l_next(%d):%d\n"},
    {"レール表示データが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " row_pos_y i:%d(%d) l_next(%d):%d\n",
     "The track section display data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " row_pos_y i:%d(%d) l_next(%d):%d\n"},
    {"レール表示データが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " row_pos_y i:%d(%d) l_back(%d):%d\n",
     "The track section display data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " row_pos_y i:%d(%d) l_back(%d):%d\n"},
    {"レールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " l_pack i:%d l_dual:%d\n",
     "The track section data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " l_pack i:%d l_dual:%d\n"},
    {"レールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " l_pack i:%d l_pack:%d\n",
     "The track section data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " l_pack i:%d l_pack:%d\n"},
    {"双方向レールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " l_pack i:%d l_dual:%d\n",
     "The two-way track section data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " l_pack i:%d l_dual:%d\n"},
    {"双方向パックレールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " l_pack i:%d l_dual:%d\n",
     "The two-way piece data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " l_pack i:%d l_dual:%d\n"},
    {"双方向レールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " dist error %d:%d %d:%d\n",
     "The two-way track section data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " dist error %d:%d %d:%d\n"},
    {"双方向レールデータが不正です。"
     "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
     " area error %d:%d %d:%d\n",
     "The two-way track section data is wrong. "
     "It may not work correctly.\nPlease ask the maker of the map.\n"
     " area error %d:%d %d:%d\n"},
    // The series setting dialog
    {"形式情報ファイルが見つかりません。", "The series information file was not found."},
    {"これ以上は追加できません。", "No more can be added."},
    {"形式写真が見つかりません。\n表示させるには、別途用意してインポートする必要があります。",
     "The series photograph was not found.\nTo show it, prepare it and import it."},
    {"形式アイコンが見つかりません。\n表示させるには、別途用意してインポートする必要があります。",
     "The series icon was not found.\nTo show it, prepare it and import it."},
    {"この形式は所有されていません。", "This series is not owned."},
    {"処分不可能データ", "Cannot Dispose"},
    {"この形式は列車に使用されているため、処分できません。",
     "This series is used by trains and cannot be disposed of."},
    {"この形式は速度種別%sの計測用形式データに指定されているため、処分できません。\n",
     "This series is the measuring series of speed type %s and cannot be disposed of.\n"},
    {"再読込可能な形式情報ファイルは見つかりませんでした。\n",
     "No series information file to reload was found.\n"},
    {"形式情報更新", "Series Information Update"},
    {"形式情報ファイルが見つかりません。再読込を行って下さい。",
     "The series information file was not found. Reload it."},
    // The operation panel: refused point clicks, a throw for a train, the
    // label placement
    {"指定されたポイントは操作出来ません。発点てこを操作して下さい。",
     "This point cannot be thrown. Use the start lever."},
    {"指定されたポイントは操作出来ません。継電連動装置表示を有効にして、発点てこを操作して下さい。",
     "This point cannot be thrown. Turn the interlocking display on and use the start lever."},
    {"進路構成に失敗しました。", "The route could not be set."},
    {"ポイント記号の表示位置を、クリックして下さい。", "Click where the point label goes."},
    {"キー設定", "Set Key"},
    {"ポイントキー", "Point key"},
    // Import lists and dropped files
    {"ファイル'%s'が見つかりません。\n", "The file '%s' was not found.\n"},
    {"ファイル'%s'は、既に存在します。\n", "The file '%s' already exists.\n"},
    {"ファイル存在エラー", "File Exists"},
    {"ファイル'%s'を上書きします。\nよろしいですか？\n",
     "The file '%s' will be overwritten.\nIs this all right?\n"},
    {"ファイル上書き確認", "Confirm Overwrite"},
    {"インポートが終了しました。\n\nインポートに成功したファイル数：%d\n"
     "インポートに失敗・中止したファイル数：%d\nインポートの前から存在したファイル数：%d\n",
     "The import has ended.\n\nFiles imported: %d\nFiles failed or cancelled: %d\n"
     "Files present before the import: %d\n"},
    {"インポート終了", "Import Ended"},
    {"ファイル'%s'は、データフォルダの外を指しているため、インポートできません。\n",
     "The file '%s' points outside the data folder and cannot be imported.\n"},
    {"インポートエラー", "Import Error"},
    {"インポート情報データ(*.kvi)|*.kvi||", "Import list (*.kvi)|*.kvi||"},
    {"メインウインドウが作業中です。\n", "The main window is busy.\n"},
    {"運行管理盤ウインドウが作業中です。\n", "The control board window is busy.\n"},
    {"ダイヤ編集ウインドウが作業中です。\n", "The dia edit window is busy.\n"},
    {"ダイヤグラムウインドウが作業中です。\n", "The diagram window is busy.\n"},
    {"時刻表ウインドウが作業中です。\n", "The timetable window is busy.\n"},
    {"乗客数設定ウインドウが作業中です。\n", "The passenger number window is busy.\n"},
    {"輸送断面ウインドウが作業中です。\n", "The transport section window is busy.\n"},
    {"編成・仕業設定ダイアログが作業中です。\n", "The formation and duty dialog is busy.\n"},
    {"ファイル受付確認", "Confirm Dropped File"},
    {"データ自動インポートを行います。よろしいですか？",
     "The data will be imported automatically. Is this all right?"},
    {"ダイヤデータを読み込みます。よろしいですか？",
     "The dia data will be read. Is this all right?"},
    {"この形式は受付できません。続けますか？", "Files of this kind are not accepted. Go on?"},
    {"この形式は受付できません。", "Files of this kind are not accepted."},
    {"インポート先を選択して下さい", "Choose where to import"},
    {"発車メロディ", "Departure melody"},
    {"ドア開け音", "Door opening sound"},
    {"ドア閉め音", "Door closing sound"},
    {"ＡＴＣ音", "ATC sound"},
    {"警告音", "Warning sound"},
    {"形式写真", "Series picture"},
    {"形式アイコン", "Series icon"},
    {"ファイル'%s'は受付できません。\n", "The file '%s' is not accepted.\n"},
    {"ファイル'%s'をコピーできませんでした。\n", "The file '%s' could not be copied.\n"},
    // WinDIA import
    {"読み込みファイル'%s'はWinDIAのダイヤデータではありません。\n",
     "The file '%s' holds no WinDIA timetable.\n"},
    // Train types
    {"制限オーバー", "Limit Exceeded"},
    // Standard stop times
    {"標準停車時間設定", "Standard Stop Time Setting"},
    {"駅データがないため編集できません。\n", "There is no station data to edit.\n"},
    {"列車種別と速度種別の同時指定はできません。\n一方のみが有効になります。",
     "A train type and a speed type cannot both be chosen.\nOnly one of them takes effect."},
    {"駅別指定モード", "Per Station Mode"},
    {"駅内番線別指定モード", "Per Platform Mode"},
    {"列車種別無指定", "Any Train Type"},
    {"列車種別指定不可", "No Train Type Choice"},
    {"速度種別無指定", "Any Speed Type"},
    {"速度種別指定不可", "No Speed Type Choice"},
    {"標準", "Standard"},
    {"%3ld秒", "%3lds"},
    {"標準（%3ld秒）", "Standard (%3lds)"},
    // The passenger number window
    {"乗客数エラー", "Passenger Number Error"},
    {"乗客数が設定されていない場合には、数値指定はできません。\n",
     "A total cannot be set for a curve without passengers.\n"},
    {"コピーするデータがありません。", "There is no data to copy."},
    {"コピー元のデータがありません。", "Nothing has been copied."},
    {"発駅指定エラー", "From Station Error"},
    {"指定以外各駅を発駅に設定することは出来ません。\n",
     "Every other station cannot be the from station.\n"},
    {"発駅と着駅に同じ駅は指定できません。\n",
     "The from station and the to station cannot be the same.\n"},
    {"指定以外各駅", "Every other station"},
    {"総乗降客数", "Total passengers"},
    {"逆方向総乗降客数", "Total passengers, reverse"},
    {"逆方向は各発駅を指定して設定して下さい。",
     "Set the reverse direction with each from station named."},
    {"乗客数簡易シミュレート", "Simple passenger simulation"},
    {"１時間当たり", "Per hour"},
    {"１列車当たり", "Per train"},
    // Rollback points
    {"手動ロールバック", "Manual rollback"},
    {"メモリ不足のためロールバックデータは保存されませんでした。",
     "The rollback data was not saved because memory is low."},
    {"ロールバックデータを復元しました。", "The rollback data was restored."},
    // Station dialogs
    {"無人駅", "Unstaffed"},
    {"有人駅", "Staffed"},
    {"主要駅", "Major"},
    {"停車区画", "Stop Section"},
    {"上下発時刻", "Departures Both Ways"},
    {"発着時刻", "Arrivals and Departures"},
    {"下り着時刻", "Down Arrivals"},
    {"上り着時刻", "Up Arrivals"},
    {"（時間を0秒にすると、発車メロディなしに設定されます）",
     "(A time of 0 seconds sets no departure melody.)"},
    {"（番線表示はファイルに保存されず、プログラムを閉じるまで有効です）",
     "(Show Platforms is not saved: it lasts until the program closes.)"},
    {"時間は正の値しか指定できません。", "Times must be positive."},
    {"時間の大小関係が不正です。", "The times are not in order (minimum < middle < maximum)."},
    {"時間が大きすぎます。", "The time is too large."},
    {"ファイルエラー", "File Error"},
    {"音楽用のパスにファイルがありません。\n正しく再生できない可能性があります。",
     "The file is not in the sound folder.\nIt may not play correctly."},
    {"音楽ファイル'%s'がありません。\n", "The sound file '%s' does not exist.\n"},
    {"音楽用のフォルダの外にあるファイルは再生できません。\n",
     "A file outside the sound folder cannot be played.\n"},
    {"この環境では音を再生できません。\n", "Sound cannot be played here.\n"},
    {"同じ方向の番線が他にないため、この番線は削除できません。\n",
     "This platform cannot be deleted: no other platform of the stop serves the same direction.\n"},
    {"ＷＡＶファイル(*.wav)|*.wav||", "WAV Files(*.wav)|*.wav||"},
    {"%s：%d[m]", "%s: %d[m]"},
};

}  // namespace

const EnglishTwin* EnglishTwins(std::size_t* count) {
  *count = std::size(kTwins);
  return kTwins;
}

}  // namespace corvane
