#pragma once

// Control and menu ids of the main window.
namespace dz::mainwin {
inline constexpr int kCloseWindow = 1;
inline constexpr int kSourceFolder = 1001;
inline constexpr int kTargetFolder = 1003;
inline constexpr int kStatus = 1008;
inline constexpr int kAlbumsList = 1009;
inline constexpr int kAlbumDetails = 1010;
inline constexpr int kDeleteAlbum = 1011;
inline constexpr int kProcess = 1038;
inline constexpr int kAlbumSummary = 1102;
inline constexpr int kSelectTargetButton = 1154;
inline constexpr int kSelectSourceButton = 1155;
inline constexpr int kAlbumPicture = 1156;
// The "Picture files" choice beside the source.
inline constexpr int kPictureFilesJpegOnly = 1157;
inline constexpr int kPictureFilesAll = 1158;
// Lists the files the scan left out; shown when there are any.
inline constexpr int kPassedOverButton = 1159;

// Menu 129.
inline constexpr int kMenuExit = 32771;
inline constexpr int kMenuAbout = 32772;
inline constexpr int kMenuSelectSource = 32779;
inline constexpr int kMenuSelectTarget = 32780;
inline constexpr int kMenuTimeFormat = 32782;
inline constexpr int kMenuEditSelected = 32783;
inline constexpr int kMenuSearchDuplicates = 32785;
inline constexpr int kMenuStartNegative = 32787;
inline constexpr int kMenuStartPositive = 32788;
inline constexpr int kMenuSaveSession = 32789;
inline constexpr int kMenuLoadSession = 32790;
inline constexpr int kMenuHelpContents = 32793;
inline constexpr int kMenuHomepage = 32794;
inline constexpr int kMenuProcessOptions = 32795;
inline constexpr int kMenuHelpIntroduction = 32797;
inline constexpr int kMenuWhatsNew = 32798;
inline constexpr int kMenuSkin = 32799;
inline constexpr int kMenuUndoProcessing = 32801;
inline constexpr int kMenuPictureFiles = 32802;
// The clocks of the catalogue's cameras.
inline constexpr int kMenuCameraClocks = 32803;
// Albums proposed from the catalogue's shots.
inline constexpr int kMenuSuggestAlbums = 32804;
// The system menu's About item.
inline constexpr int kSystemAbout = 16;

// Group boxes and labels, layout only.
inline constexpr int kGroupTitle = 2001;
inline constexpr int kGroupStep1 = 2002;
inline constexpr int kGroupStep2 = 2003;
inline constexpr int kGroupStep3 = 2004;
inline constexpr int kGroupAlbums = 2005;
inline constexpr int kLabelSource = 2006;
inline constexpr int kLabelTarget = 2007;
inline constexpr int kLabelStatus = 2008;
inline constexpr int kLabelAlbumsList = 2009;
inline constexpr int kLabelAlbumDetails = 2010;
}  // namespace dz::mainwin
