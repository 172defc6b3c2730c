# The Windows program's application manifest (DPI awareness), compiled in as a resource. The resource compiler's
# dependency scan does not see the file the .rc names, so an edited manifest is named here to rebuild the resource.
enable_language(RC)
target_sources(star-editor PRIVATE ${PROJECT_SOURCE_DIR}/packaging/windows/star-editor.rc)
set_source_files_properties(${PROJECT_SOURCE_DIR}/packaging/windows/star-editor.rc PROPERTIES
                            OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows/star-editor.exe.manifest)
