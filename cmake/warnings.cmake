# Strict warnings and Qt's safety defines on every target.
#
# VS_WERROR makes warnings errors. It is off by default so that a newer
# compiler with new warnings never breaks a user's build; CI (.ci/run) turns
# it on. Qt's headers come in as system includes (imported targets), so their
# own warnings do not count.
option(VS_WERROR "Treat compiler warnings as errors (CI)" OFF)

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wold-style-cast -Wcast-qual -Woverloaded-virtual)
if(VS_WERROR)
  add_compile_options(-Werror)
endif()

# No implicit QByteArray -> const char * or QString -> QUrl, no narrowing in
# connect(), const iterators kept apart, no Q_FOREACH (it copies the container).
add_compile_definitions(QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING
                        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_STRICT_ITERATORS
                        QT_NO_FOREACH)
