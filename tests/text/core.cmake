target_sources(zarvik_core_tests PRIVATE
  text/mp3_tags_test.cpp
  text/outline_document_test.cpp
  text/web_search_test.cpp
)
target_sources(zarvik_core_tests PRIVATE
  text/code_page_decoder_test.cpp
  text/detect_char_code_test.cpp
  text/jis_decoders_test.cpp
  text/text_pieces_test.cpp
  text/text_decoding_test.cpp
)
