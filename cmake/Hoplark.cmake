# One static library per source folder: every .cpp/.h of the folder, globbed so a new
# file needs no edit here.
#   hoplark_folder_library(NAME <target> [DIR <dir>] [EXCLUDE files...] QT <modules...> DEPS <targets...>)
# EXPLICIT with FILES takes exactly the files given, even none.
function(hoplark_folder_library)
    cmake_parse_arguments(ARG "EXPLICIT" "NAME;DIR" "QT;DEPS;EXCLUDE;FILES" ${ARGN})
    if(NOT ARG_DIR)
        set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    if(ARG_FILES OR ARG_EXPLICIT)
        set(sources ${ARG_FILES})
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp ${ARG_DIR}/*.h)
    endif()
    foreach(ex IN LISTS ARG_EXCLUDE)
        list(REMOVE_ITEM sources ${ARG_DIR}/${ex})
    endforeach()
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    # A folder that so far holds only headers is an interface library.
    if(cpp)
        add_library(${ARG_NAME} STATIC ${sources})
        set(scope PUBLIC)
    else()
        add_library(${ARG_NAME} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${ARG_NAME} ${scope} ${PROJECT_SOURCE_DIR}/src)
    foreach(mod IN LISTS ARG_QT)
        target_link_libraries(${ARG_NAME} ${scope} Qt6::${mod})
    endforeach()
    if(ARG_DEPS)
        target_link_libraries(${ARG_NAME} ${scope} ${ARG_DEPS})
    endif()
endfunction()

# A GoogleTest executable in one line: every .cpp of the calling folder (or FILES), linked
# with LIBS, discovered by CTest. Tests run offscreen with their own XDG folders.
#   hoplark_add_test(<name> LIBS <targets...> [FILES ...])
function(hoplark_add_test name)
    cmake_parse_arguments(ARG "" "" "LIBS;FILES" ${ARGN})
    if(ARG_FILES)
        set(sources ${ARG_FILES})
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    endif()
    add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} hoplark_testsupport GTest::gtest)
    target_compile_definitions(${name} PRIVATE
        HOPLARK_SOURCE_DIR="${PROJECT_SOURCE_DIR}" HOPLARK_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # The shipped files are found beside bin/, and tests/ lies beside it too.
    if(TARGET hoplark_share)
        add_dependencies(${name} hoplark_share)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
                   TIMEOUT 600)
endfunction()
