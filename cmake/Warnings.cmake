# Warnings for our own code. Four-character command codes are written as
# multi-character literals ('OADD'); g++ gives them the big-endian value the
# program relies on (checked by a static_assert in kit/app/SupportDefs.h).
add_compile_options(-Wall -Wextra -Wno-multichar)
