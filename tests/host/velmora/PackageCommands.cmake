# Runs one velmora command; fails unless it ends with the expected status, prints every expected text
# and none of the texts it LACKS, and, where COMPLAINS is given, says exactly that on standard error.
function(expect_run status)
  cmake_parse_arguments(R "" "" "ARGS;PRINTS;LACKS;COMPLAINS" ${ARGN})
  execute_process(COMMAND ${VELMORA} ${R_ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL status)
    message(FATAL_ERROR "velmora ${R_ARGS} ended with ${rc}, not ${status}:\n${out}${err}")
  endif()
  if(DEFINED R_COMPLAINS AND NOT err STREQUAL "${R_COMPLAINS}\n")
    message(FATAL_ERROR "velmora ${R_ARGS} did not say only \"${R_COMPLAINS}\":\n${err}")
  endif()
  foreach(text ${R_PRINTS})
    string(FIND "${out}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "velmora ${R_ARGS} did not print \"${text}\":\n${out}${err}")
    endif()
  endforeach()
  foreach(text ${R_LACKS})
    string(FIND "${out}" "${text}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "velmora ${R_ARGS} printed \"${text}\":\n${out}${err}")
    endif()
  endforeach()
endfunction()

file(REMOVE_RECURSE ${FOLDER})
expect_run(0 ARGS init ${FOLDER})
expect_run(0 ARGS export ${FOLDER} --user 200000000000000011 --project XM2026001 --modules 项目信息 --name first
           PRINTS "[log] AllInfoImportPck: 数据打包成功！")

# The log entries of the runs before are not this run's.
expect_run(0 ARGS resources ${FOLDER} R003 --project XM2026001 --out ${FOLDER}/res.PACKAGE
           PRINTS "VekPackResIDs answered true" "written to ${FOLDER}/res.PACKAGE"
                  "PackageTypeName = XMGL_PACKAGE_READER" "PrjInfoExport False" "ResFile.pck: 1 file"
           LACKS "数据打包成功")
# A package that cannot be written is no success.
expect_run(1 ARGS resources ${FOLDER} R003 --project XM2026001 --out ${FOLDER}/no-such-folder/res.PACKAGE
           PRINTS "VekPackResIDs answered false" "no resource package was built"
           COMPLAINS "velmora: the resource package was not built (VekPackResIDs answered false)")

expect_run(0 ARGS archive ${FOLDER} --project XM2026001 --caption Archive
           PRINTS "[progress] 正在进行归档处理，请稍等．．．" "VekGDBPck answered 1" "(XMGL_PACKAGE_GDB) into its package management"
                  "PackageCaption = Archive" "ResFile: 1 file")
expect_run(1 ARGS archive ${FOLDER}
           PRINTS "VekGDBPck answered 0" "no archive package was handed over" LACKS "数据打包成功"
           COMPLAINS "velmora: the archive package was not handed over (VekGDBPck answered 0)")
expect_run(1 ARGS export ${FOLDER} --project XM2026001 --modules 审计底稿 --name x
           PRINTS "the module list has no module 审计底稿" LACKS "数据打包成功")
file(REMOVE_RECURSE ${FOLDER})
