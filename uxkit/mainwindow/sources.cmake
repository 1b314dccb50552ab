# Sources of the main-window framework, relative to uxkit/.
set(NUBUX_MAINWINDOW_SOURCES
  mainwindow/uxprefstab.cpp
  mainwindow/uxslider.cpp
  mainwindow/uxsplash.cpp
  mainwindow/qtcolorpicker.cpp
  mainwindow/qtcolorpickerpopup.cpp
  mainwindow/qtcolorpickeritem.cpp
  mainwindow/uxmessagewindow.cpp
  mainwindow/uxlogview.cpp
  mainwindow/uxprefstabcommon.cpp
  mainwindow/uxguisysmenu.cpp
  mainwindow/qtwindowlistmenu.cpp
)
