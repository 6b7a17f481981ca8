# Run as a test (cmake -DSOURCE_DIR=... -P CheckIncludes.cmake): the includes
# that would turn the layers upside down. Fails listing every offending line.
set(problems "")

function(forbid folders pattern why)
    foreach(folder IN LISTS folders)
        file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
        foreach(file IN LISTS files)
            file(STRINGS ${file} hits REGEX "${pattern}")
            foreach(hit IN LISTS hits)
                list(APPEND problems "${file}: ${hit} (${why})")
            endforeach()
        endforeach()
    endforeach()
    set(problems ${problems} PARENT_SCOPE)
endfunction()

forbid("src/ui;src/sync;src/data;src/services" "#include [<\"](.*/)?(Application|MessageOutput)\\.h[>\"]"
       "only the executable knows the process")
forbid("src/data;src/services;src/sync" "#include [<\"](QtWidgets/.*|QWidget|QApplication|QDialog|QMessageBox|QMainWindow)[>\"]"
       "the core and sync have no widgets")
forbid("src/data;src/services;src/sync" "#include \"(AppState|ThemeManager|MainWindow)\\.h\""
       "the core and sync sit below the service container")

if(problems)
    list(JOIN problems "\n" text)
    message(FATAL_ERROR "Includes against the layers:\n${text}")
endif()
