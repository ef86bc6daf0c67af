# Run by CPack's External generator (packaging/CMakeLists.txt) once the files of the ZIP are staged
# in CPACK_TEMPORARY_DIRECTORY: builds the MSI from tassefiche.wxs with wixl, from those same files.
if(NOT CPACK_TASSEFICHE_WIXL)
  message(FATAL_ERROR "The MSI needs wixl (Debian package wixl; scripts/setup.sh installs it).")
endif()

set(stage ${CPACK_TEMPORARY_DIRECTORY})
set(msi ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
foreach(file Tassefiche.exe COMPRESS.EXE EXPAND.EXE LISEZMOI.txt LICENSE.txt)
  if(NOT EXISTS ${stage}/${file})
    message(FATAL_ERROR "The MSI: ${file} was not staged in ${stage}")
  endif()
endforeach()

# This wixl finds files only by paths relative to its working folder: it runs in the staging folder.
file(RELATIVE_PATH icon ${stage} ${CPACK_TASSEFICHE_ICON})
execute_process(
  COMMAND ${CPACK_TASSEFICHE_WIXL} --arch x64
          --define Version=${CPACK_PACKAGE_VERSION}
          --define ProductCode=${CPACK_TASSEFICHE_PRODUCT_CODE}
          --define UpgradeCode=${CPACK_TASSEFICHE_UPGRADE_CODE}
          --define StageDir=.
          --define IconFile=${icon}
          --output ${msi} ${CPACK_TASSEFICHE_WXS}
  WORKING_DIRECTORY ${stage}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wixl failed (${status}) on ${CPACK_TASSEFICHE_WXS}")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
