# Read by cpack: refuses to package a build that cannot be (see cmake/packaging.cmake).
if(CPACK_RECHARGE_PACKAGE_BLOCKER)
  message(FATAL_ERROR "This build cannot be packaged: ${CPACK_RECHARGE_PACKAGE_BLOCKER}")
endif()
