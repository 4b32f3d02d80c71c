# Headers that nearly every file of a target includes, compiled once per
# target: most of a build's time went into reading them again for each file
# (the Qt and test headers, nlohmann/json). A target's own headers never go
# in here, so a change to one of them rebuilds only what includes it.
set(DRALUN_PCH_STD <algorithm> <array> <cmath> <cstdint> <cstdio> <cstdlib> <filesystem> <functional>
    <limits> <map> <memory> <optional> <set> <span> <sstream> <string> <string_view> <utility> <vector>)
set(DRALUN_PCH_JSON <nlohmann/json.hpp>)
set(DRALUN_PCH_TEST <gtest/gtest.h> <gmock/gmock.h>)
# The Qt headers most files of the window side include; not whole modules:
# GCC's precompiled header of all of QtWidgets is 300 MB, and reading it
# cost more than it saved.
set(DRALUN_PCH_QT <QApplication> <QComboBox> <QDialog> <QDir> <QLabel> <QLineEdit> <QMessageBox> <QPainter>
    <QPushButton> <QRadioButton> <QSettings> <QString> <QVBoxLayout> <QWidget>)

# dralun_precompile(TARGET [JSON] [TEST] [QT] [QTTEST])
function(dralun_precompile target)
  cmake_parse_arguments(P "JSON;TEST;QT;QTTEST" "" "" ${ARGN})
  set(headers ${DRALUN_PCH_STD})
  if(P_JSON)
    list(APPEND headers ${DRALUN_PCH_JSON})
  endif()
  if(P_TEST)
    list(APPEND headers ${DRALUN_PCH_TEST})
  endif()
  if(P_QT)
    list(APPEND headers ${DRALUN_PCH_QT})
  endif()
  if(P_QTTEST)
    list(APPEND headers ${DRALUN_PCH_QT} <QTest>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
