# The product shows its version as major.minor with two minor digits ("1.00"),
# while CMake keeps the plain numeric form; this is the one place that renders it.
if(PROJECT_VERSION_MINOR LESS 10)
  set(PLINTHAR_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
  set(PLINTHAR_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
set(PLINTHAR_PRODUCT_NAME "Plinthar")
# Reverse-DNS id of the desktop entry, icon and AppStream metainfo.
set(PLINTHAR_APP_ID "org.plinthar.Plinthar")
