# Writes the schema as a C++ raw string literal: cmake -DIN=schema.sql -DOUT=SchemaText.h -P EmbedSchema.cmake
file(READ "${IN}" text)
file(WRITE "${OUT}.tmp" "#pragma once\n// Generated from store/schema.sql at build time.\nnamespace q7::detail {\ninline constexpr const char* kSchemaText = R\"q7schema(${text})q7schema\";\n}\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
