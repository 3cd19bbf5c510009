# One library per layer: every .cpp below the layer's folder is a source, every .h a public header.
function(mox_add_layer target alias)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(GLOB_RECURSE resources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    add_library(${target} SHARED ${sources} ${headers} ${resources})
    add_library(${alias} ALIAS ${target})
    set_target_properties(${target} PROPERTIES EXPORT_NAME ${ARGV2} VERSION ${PROJECT_VERSION} SOVERSION 0)
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/mox>)
    get_filename_component(layer ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    foreach(header ${headers})
        file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${header})
        get_filename_component(dir ${rel} DIRECTORY)
        install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mox/${layer}/${dir})
    endforeach()
    install(TARGETS ${target} EXPORT MoxLibTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
