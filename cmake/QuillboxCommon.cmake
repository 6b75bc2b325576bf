# Flags every target of the project shares: one place for warnings and Qt safety defines.
add_library(quillbox_common INTERFACE)
target_compile_definitions(quillbox_common INTERFACE
  QT_DISABLE_DEPRECATED_BEFORE=0x050F00
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  QT_MESSAGELOGCONTEXT)
target_compile_options(quillbox_common INTERFACE -Wall -Wextra)
if(QUILLBOX_SANITIZE)
  target_compile_options(quillbox_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(quillbox_common INTERFACE -fsanitize=address,undefined)
endif()
