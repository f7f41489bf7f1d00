# A cold build in far less time. Most of a translation unit's time here goes
# to the Qt (and GoogleTest) headers, parsed again in every file, so:
# - the headers nearly every file includes are precompiled once for each kind
#   of target (Qt Core only, widgets, widget tests) and every target of that
#   kind reuses them;
# - the small files of a target are compiled a few at a time as one unit.
# Both can hide a missing #include, which is why the package and the
# ThreadSanitizer builds leave KQ_FAST_BUILD off and compile each file alone.

set(KQ_PCH_CORE_HEADERS
    <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QMap> <QObject> <QPointer> <QSet> <QString>
    <QStringList> <QTimer> <QVariant> <QVector>
    <algorithm> <array> <functional> <map> <memory> <optional> <vector>)
set(KQ_PCH_WIDGETS_HEADERS ${KQ_PCH_CORE_HEADERS}
    <QColor> <QFont> <QImage> <QKeyEvent> <QMouseEvent> <QPainter> <QPixmap>
    <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QFrame> <QGridLayout> <QGroupBox> <QHBoxLayout>
    <QLabel> <QLineEdit> <QMainWindow> <QMenu> <QMenuBar> <QPushButton> <QRadioButton> <QScrollArea> <QSlider>
    <QToolButton> <QVBoxLayout> <QWidget>)
set(KQ_PCH_TESTS_HEADERS ${KQ_PCH_WIDGETS_HEADERS} <QTemporaryDir> <gtest/gtest.h>
    ${PROJECT_SOURCE_DIR}/tests/support/qt_printers.h)

# Whether `target` links `wanted`, itself or through the libraries it links.
function(kq_links_to target wanted result)
    set(found FALSE)
    set(pending ${target})
    set(seen "")
    while(pending AND NOT found)
        list(POP_FRONT pending current)
        if(current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(aliased ${current} ALIASED_TARGET)
        if(aliased)
            set(current ${aliased})
        endif()
        if(current STREQUAL wanted)
            set(found TRUE)
            break()
        endif()
        get_target_property(type ${current} TYPE)
        set(links "")
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(links ${current} LINK_LIBRARIES)
        endif()
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        foreach(link IN LISTS links interface)
            # $<LINK_ONLY:x> and the like name a target too.
            string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" link "${link}")
            if(link AND NOT link MATCHES "-NOTFOUND$")
                list(APPEND pending ${link})
            endif()
        endforeach()
    endwhile()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

function(kq_collect_targets directory result)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(children DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(child IN LISTS children)
        kq_collect_targets(${child} child_targets)
        list(APPEND targets ${child_targets})
    endforeach()
    set(${result} ${targets} PARENT_SCOPE)
endfunction()

# The three targets whose precompiled headers the others reuse.
set(KQ_PCH_ANCHOR ${CMAKE_CURRENT_LIST_DIR}/pch_anchor.cpp)
add_library(kq_pch_core STATIC ${KQ_PCH_ANCHOR})
target_link_libraries(kq_pch_core PRIVATE Qt6::Core)
target_precompile_headers(kq_pch_core PRIVATE ${KQ_PCH_CORE_HEADERS})
add_library(kq_pch_widgets STATIC ${KQ_PCH_ANCHOR})
target_link_libraries(kq_pch_widgets PRIVATE Qt6::Widgets)
target_precompile_headers(kq_pch_widgets PRIVATE ${KQ_PCH_WIDGETS_HEADERS})
if(KQ_BUILD_TESTS)
    add_library(kq_pch_tests STATIC ${KQ_PCH_ANCHOR})
    target_link_libraries(kq_pch_tests PRIVATE Qt6::Widgets GTest::gtest)
    target_precompile_headers(kq_pch_tests PRIVATE ${KQ_PCH_TESTS_HEADERS})
endif()

function(kq_apply_fast_build)
    kq_collect_targets(${PROJECT_SOURCE_DIR} targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$" OR target MATCHES "^kq_pch_")
            continue()
        endif()
        get_target_property(sources ${target} SOURCES)
        list(FILTER sources INCLUDE REGEX "\\.cpp$")
        if(NOT sources)
            continue()
        endif()
        kq_links_to(${target} Qt6::Core uses_qt)
        if(NOT uses_qt)
            continue()
        endif()
        kq_links_to(${target} GTest::gtest uses_gtest)
        kq_links_to(${target} Qt6::Widgets uses_widgets)
        if(uses_gtest AND KQ_BUILD_TESTS)
            target_precompile_headers(${target} REUSE_FROM kq_pch_tests)
        elseif(uses_widgets)
            target_precompile_headers(${target} REUSE_FROM kq_pch_widgets)
        else()
            target_precompile_headers(${target} REUSE_FROM kq_pch_core)
        endif()
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${KQ_UNITY_BATCH_SIZE})
    endforeach()
endfunction()
