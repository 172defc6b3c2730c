# The Windows program's application manifest (DPI awareness), compiled in as a resource.
enable_language(RC)
target_sources(star-editor PRIVATE ${PROJECT_SOURCE_DIR}/packaging/windows/star-editor.rc)
