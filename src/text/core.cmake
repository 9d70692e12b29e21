target_sources(zarvik_core PRIVATE
  text/char_code.cpp
  text/code_page_decoder.cpp
  text/cp932_decoder.cpp
  text/detect_char_code.cpp
  text/jis_decoders.cpp
  text/jis_tables.cpp
  text/mp3_tags.cpp
  text/outline_document.cpp
  text/text_decoding.cpp
  text/text_pieces.cpp
  text/utf8_decoder.cpp
  text/web_search.cpp
)
